// Records every user-interface operation the engine performs, as readable
// lines, and answers control reads from a table the test fills in.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/engine_ui.h"
#include "engine/integer_text.h"
#include "os/utf8.h"

namespace quillobar::testing {

class RecordingUi final : public EngineUi {
public:
    std::vector<std::string> log;
    std::map<ControlId, std::int64_t> states;
    int drains = 0;

    void drainPendingEvents() override {
        ++drains;
        log.push_back("drain");
    }
    void setStatusText(int field, const std::u16string& text, StatusAppearance look) override {
        static const char* const kLooks[] = {"plain", "borderless", "right"};
        log.push_back("status " + std::to_string(field) + " " + kLooks[static_cast<int>(look)] + ": " + toUtf8(text));
    }
    void showPicture(PictureId picture, ControlId control, int x, int y) override {
        log.push_back("picture " + std::to_string(picture) + " in " + id(control) + " at " + std::to_string(x) + "," +
                      std::to_string(y));
    }
    void setMarquee(int on, int periodMs) override {
        log.push_back("marquee " + std::to_string(on) + " " + std::to_string(periodMs));
    }
    void hideControl(ControlId control, int hide) override {
        log.push_back((hide != 0 ? "hide " : "show ") + id(control));
    }
    void disableControl(ControlId control, int disable) override {
        log.push_back((disable != 0 ? "disable " : "enable ") + id(control));
    }
    std::int64_t getControlState(ControlId control) override {
        const auto found = states.find(control);
        return found == states.end() ? 0 : found->second;
    }
    void setControlState(ControlId control, std::int64_t value) override {
        states[control] = value;
        log.push_back("set " + id(control) + " " + std::to_string(value));
    }
    void setControlText(ControlId control, const std::u16string& text) override {
        log.push_back("text " + id(control) + " " + toUtf8(text));
    }
    void messageBox(const std::u16string& title, const std::u16string& text) override {
        log.push_back("box " + toUtf8(title) + " | " + toUtf8(text));
    }

    // The log with each run of drains folded into one "drain xN" line.
    std::vector<std::string> folded() const {
        std::vector<std::string> out;
        int run = 0;
        for (const std::string& line : log) {
            if (line == "drain") {
                ++run;
                continue;
            }
            if (run > 0) out.push_back("drain x" + std::to_string(run));
            run = 0;
            out.push_back(line);
        }
        if (run > 0) out.push_back("drain x" + std::to_string(run));
        return out;
    }

    std::vector<std::string> boxes() const { return startingWith("box "); }
    std::vector<std::string> startingWith(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& line : log) {
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        }
        return out;
    }

    void clear() {
        log.clear();
        drains = 0;
    }

private:
    static std::string id(ControlId control) { return std::to_string(static_cast<int>(control)); }
};

}  // namespace quillobar::testing
