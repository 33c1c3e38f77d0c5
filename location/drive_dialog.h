// The small window in which the user picks the drive for the work file,
// and the drive change behind the change-drive button.
#pragma once

#include <windows.h>

#include <string>

#include "engine/engine.h"
#include "ui/ui_environment.h"
#include "ui/window_class.h"
#include "ui/window_ui.h"

namespace quillobar {

class DriveDialog {
public:
    static constexpr wchar_t kWindowClass[] = L"QuillobarDriveDialog";
    static constexpr int kClientWidth = 400;
    static constexpr int kClientHeight = 95;

    DriveDialog(HINSTANCE instance, UiEnvironment& environment, WindowUi& events);
    DriveDialog(const DriveDialog&) = delete;
    DriveDialog& operator=(const DriveDialog&) = delete;

    // Same class attributes as every window of the program.
    static bool registerWindowClass(HINSTANCE instance, HICON icon);

    // Shows the window and takes every event of the process until OK is
    // pressed; returns the drive text then (a drive root or empty). The
    // window is destroyed again before it returns.
    std::u16string run();

    // The window while it is open, for tests.
    HWND window() const { return window_; }

private:
    template <class T>
    friend LRESULT CALLBACK ownedWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void open();
    void createDriveList(const std::u16string& startPath);
    void fillDriveList(const std::u16string& startPath);
    void acceptSelection();
    void close();

    HINSTANCE instance_;
    UiEnvironment& environment_;
    WindowUi& events_;
    HWND window_ = nullptr;
    HWND driveList_ = nullptr;
    std::u16string driveText_;
};

// The change-drive handler: empty the old work folder, ask for a drive,
// set up the work folder there and show it.
void changeDrive(Engine& engine, DriveDialog& dialog);

// The user's profile folder with a trailing backslash, or empty.
std::u16string profileFolder();

}  // namespace quillobar
