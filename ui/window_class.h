// What every window class of the program shares: double-clicks, the program
// icon, the arrow cursor, the button-face background, and a window procedure
// that hands each message to the object that owns the window.
#pragma once

#include <windows.h>

namespace quillobar {

bool registerProgramWindowClass(HINSTANCE instance, HICON icon, const wchar_t* className, WNDPROC procedure);

// The window procedure of windows owned by a T: the object arrives with
// WM_NCCREATE (as the creation parameter) and gets every message after it
// through T::handleMessage. No exception crosses into the system.
template <class T>
LRESULT CALLBACK ownedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return owner->handleMessage(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace quillobar
