// What the verification engine asks of the user interface. The engine calls
// nothing else, so it runs the same way on a window, a terminal or a recorder.
//
// Implementers:
//   ConsoleUi    (cli/console_ui.h)      - prints to a terminal
//   RecordingUi  (tests/recording_ui.h)  - records every call for the tests
//   NullUi       (bench/null_ui.h)       - does nothing, for the benchmark
#pragma once

#include <cstdint>
#include <string>

#include "engine/control_ids.h"

namespace quillobar {

enum class StatusAppearance { Plain, Borderless, RightAligned };

class EngineUi {
public:
    EngineUi() = default;
    virtual ~EngineUi() = default;
    EngineUi(const EngineUi&) = delete;
    EngineUi& operator=(const EngineUi&) = delete;
    EngineUi(EngineUi&&) = delete;
    EngineUi& operator=(EngineUi&&) = delete;

    // Handles everything pending without waiting; every event taken is
    // discarded and reaches no handler.
    virtual void drainPendingEvents() = 0;
    virtual void setStatusText(int field, const std::u16string& text, StatusAppearance look) = 0;
    virtual void showPicture(PictureId picture, ControlId control, int x, int y) = 0;
    // on 1 with a period in ms starts the marquee animation, (0, 0) stops it.
    virtual void setMarquee(int on, int periodMs) = 0;
    virtual void hideControl(ControlId control, int hide) = 0;
    virtual void disableControl(ControlId control, int disable) = 0;
    virtual std::int64_t getControlState(ControlId control) = 0;
    // Raises no control event.
    virtual void setControlState(ControlId control, std::int64_t value) = 0;
    virtual void setControlText(ControlId control, const std::u16string& text) = 0;
    // Modal, one OK button; returns when dismissed.
    virtual void messageBox(const std::u16string& title, const std::u16string& text) = 0;
};

}  // namespace quillobar
