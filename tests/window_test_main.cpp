// Runs the window tests on the thread that owns the windows, with the
// common controls and the program's window class ready.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "ui/window_ui.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0x0B48};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    quillobar::WindowUi::registerWindowClass(GetModuleHandleW(nullptr), LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
    return RUN_ALL_TESTS();
}
