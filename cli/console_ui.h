// The engine's user-interface operations on a terminal: status texts, lit
// stages, the pass count, message boxes and elapsed times are printed as
// UTF-8 lines. The parameter controls hold the command-line values for the
// whole run, whatever the engine sets them to.
#pragma once

#include <cstdio>

#include "cli/cli_options.h"
#include "engine/engine_ui.h"

namespace quillobar {

class ConsoleUi final : public EngineUi {
public:
    ConsoleUi(std::FILE* out, const CliOptions& options) : out_(out), options_(options) {}

    void drainPendingEvents() override {}
    void setStatusText(int field, const std::u16string& text, StatusAppearance look) override;
    void showPicture(PictureId picture, ControlId control, int x, int y) override;
    void setMarquee(int, int) override {}
    void hideControl(ControlId, int) override {}
    void disableControl(ControlId, int) override {}
    std::int64_t getControlState(ControlId control) override;
    void setControlState(ControlId, std::int64_t) override {}
    void setControlText(ControlId control, const std::u16string& text) override;
    void messageBox(const std::u16string& title, const std::u16string& text) override;

    // Resident memory and open handles, for soak runs.
    void printResources();

private:
    void printLine(const std::string& line);

    std::FILE* out_;
    CliOptions options_;
};

}  // namespace quillobar
