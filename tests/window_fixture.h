// A real main window under the program's own window class, on a scratch
// work folder, with the engine wired to it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "location/byte_size_text.h"
#include "location/work_paths.h"
#include "ui/event_loop.h"
#include "ui/stage_pictures.h"
#include "ui/ui_environment.h"
#include "ui/window_ui.h"

namespace quillobar::testing {

class WindowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        environment_ = new UiEnvironment();
        environment_->createStartButtonFont();
        pictures_ = new StagePictures();
        pictures_->load(GetModuleHandleW(nullptr));
    }
    static void TearDownTestSuite() {
        delete pictures_;
        delete environment_;
    }

    WindowFixture() {
        root_ = std::filesystem::temp_directory_path() / "quillobar-window-test";
        std::filesystem::create_directories(root_);
        setStartupValues(state);
        state.freeRamBytes = 8'589'934'592;
        state.driveRoot = root_.u16string() + u'\\';
        deriveWorkPaths(state, u'\\');
        createFolder(os, state.workFolder);
        const std::u16string title = mainWindowTitle(state);
        window.createMainWindow(reinterpret_cast<const wchar_t*>(title.c_str()), sizeSliderMaximum(state),
                                state.cyclesLeft, state.fillCode);
        state.sizeGb = window.getControlState(ControlId::SizeSlider);
        state.bufferBytes = state.sizeGb * kBytesPerGb;
    }
    ~WindowFixture() override {
        window.destroyMainWindow();
        emptyFolder(os, state.cleanFolder);
    }

    // Runs the handlers of every queued control event, as the event loop does.
    void runQueuedHandlers() {
        for (int round = 0; round < 100; ++round) {
            Event event;
            const WindowUi::Poll got = window.pollForEvent(event);
            if (got == WindowUi::Poll::Nothing) return;
            if (got == WindowUi::Poll::Event && event.kind == EventKind::Control) {
                if (ControlHandler handler = handlerFor(event.id)) handler(program);
            }
        }
    }

    HWND control(ControlId id) const { return window.control(id); }
    RECT clientRect(HWND child) const {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window.mainWindow(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::wstring text(HWND child) const {
        wchar_t buffer[512] = {};
        GetWindowTextW(child, buffer, 512);
        return buffer;
    }

    static UiEnvironment* environment_;
    static StagePictures* pictures_;
    std::filesystem::path root_;
    Os& os = systemOs();
    TestState state;
    WindowUi window{GetModuleHandleW(nullptr), *environment_, *pictures_};
    Engine engine{state, window, os};
    Program program{engine, window};
};

inline UiEnvironment* WindowFixture::environment_ = nullptr;
inline StagePictures* WindowFixture::pictures_ = nullptr;

}  // namespace quillobar::testing
