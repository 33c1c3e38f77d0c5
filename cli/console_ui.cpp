#include "cli/console_ui.h"

#include "cli/process_resources.h"
#include "os/utf8.h"

namespace quillobar {

void ConsoleUi::printLine(const std::string& line) {
    std::fputs(line.c_str(), out_);
    std::fputc('\n', out_);
    std::fflush(out_);
}

void ConsoleUi::setStatusText(int field, const std::u16string& text, StatusAppearance) {
    if (field == 2) {
        printLine("elapsed_ms: " + toUtf8(text));
        if (options_.reportResources) printResources();
    } else {
        printLine("status: " + toUtf8(text));
    }
}

void ConsoleUi::printResources() {
    const ProcessResources now = readProcessResources();
    printLine("resources: resident_kb=" + std::to_string(now.residentKb) + " handles=" + std::to_string(now.handles));
}

void ConsoleUi::showPicture(PictureId picture, ControlId, int, int) {
    // Odd pictures light a stage; the idle ones after a reset are not news.
    static const char* const kStages[] = {"fill", "copy", "read-back", "compare", "pass", "error"};
    if (picture >= 1 && picture <= 11 && picture % 2 == 1) printLine(std::string("stage: ") + kStages[picture / 2]);
}

std::int64_t ConsoleUi::getControlState(ControlId control) {
    switch (control) {
        case ControlId::SizeSlider: return options_.sizeGb;
        case ControlId::CyclesSpin: return options_.cycles;
        case ControlId::FillCodeSpin: return options_.fillCode;
        case ControlId::SsdCheckBox: return options_.noSsd ? 0 : 1;
        default: return 0;
    }
}

void ConsoleUi::setControlText(ControlId control, const std::u16string& text) {
    if (control == ControlId::PassCountField) printLine("passes: " + toUtf8(text));
}

void ConsoleUi::messageBox(const std::u16string& title, const std::u16string& text) {
    std::u16string lines = text;
    for (char16_t& c : lines) {
        if (c == u'\r') c = u'\n';
    }
    printLine("message: " + toUtf8(title));
    printLine(toUtf8(lines));
}

}  // namespace quillobar
