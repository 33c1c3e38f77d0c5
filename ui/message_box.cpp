#include "ui/message_box.h"

#include <windows.h>

#include <vector>

namespace quillobar {
namespace {

struct NotedWindows {
    HWND foreground = nullptr;
    std::vector<HWND> disabled;
    std::vector<HWND> wasTopmost;
};

BOOL CALLBACK noteWindow(HWND window, LPARAM context) noexcept {
    auto& noted = *reinterpret_cast<NotedWindows*>(context);
    if (!IsWindowVisible(window)) return TRUE;
    if ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        noted.wasTopmost.push_back(window);
    }
    if (IsWindowEnabled(window) && window != noted.foreground) {
        EnableWindow(window, FALSE);
        noted.disabled.push_back(window);
    }
    return TRUE;
}

}  // namespace

void showMessageBox(const wchar_t* title, const wchar_t* text) {
    NotedWindows noted;
    noted.foreground = GetForegroundWindow();
    DWORD process = 0;
    if (noted.foreground != nullptr) GetWindowThreadProcessId(noted.foreground, &process);
    HWND owner = process == GetCurrentProcessId() ? noted.foreground : nullptr;

    EnumThreadWindows(GetCurrentThreadId(), &noteWindow, reinterpret_cast<LPARAM>(&noted));
    MessageBoxW(owner, text, title, MB_OK);
    for (HWND window : noted.disabled) EnableWindow(window, TRUE);
    for (HWND window : noted.wasTopmost) {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

}  // namespace quillobar
