// A user interface that does nothing: the benchmark times the engine's own
// work, not a window or a terminal.
#pragma once

#include "engine/engine_ui.h"

namespace quillobar {

class NullUi final : public EngineUi {
public:
    void drainPendingEvents() override {}
    void setStatusText(int, const std::u16string&, StatusAppearance) override {}
    void showPicture(PictureId, ControlId, int, int) override {}
    void setMarquee(int, int) override {}
    void hideControl(ControlId, int) override {}
    void disableControl(ControlId, int) override {}
    std::int64_t getControlState(ControlId) override { return 0; }
    void setControlState(ControlId, std::int64_t) override {}
    void setControlText(ControlId, const std::u16string&) override {}
    void messageBox(const std::u16string&, const std::u16string&) override {}
};

}  // namespace quillobar
