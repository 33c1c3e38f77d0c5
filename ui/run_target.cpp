#include "ui/run_target.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace quillobar {

bool runTarget(const wchar_t* target) {
    const std::wstring text(target);
    std::wstring commandLine = !text.empty() && text.front() == L'"' ? text : L"\"" + text + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                       &startup, &process) != 0) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }

    // The folder of the target: up to its last backslash, unless that is
    // missing or the very first character.
    const std::size_t lastSlash = text.rfind(L'\\');
    const std::wstring folder = lastSlash == std::wstring::npos || lastSlash == 0 ? L"" : text.substr(0, lastSlash + 1);
    SHELLEXECUTEINFOW shell{};
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    shell.lpFile = text.c_str();
    shell.lpParameters = L"";
    shell.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    shell.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&shell) == 0) return false;
    if (shell.hProcess != nullptr) CloseHandle(shell.hProcess);
    return true;
}

}  // namespace quillobar
