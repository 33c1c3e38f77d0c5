// Drives the shipped quillobar.exe from outside its process, the way a user
// would: it picks the drive, dismisses the boxes, starts one 1 GB cycle and
// closes the window, all through window messages, and checks what the
// program shows and leaves on disk at each step.
//
// Usage: quillobar_e2e_driver <path of quillobar.exe>
// The path may be a Windows path or, under Wine, the Unix path of the file.
// Prints one line per step; on the first failed check it prints why, ends
// the program if it is still running and exits with 1.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "engine/control_ids.h"

namespace {

using quillobar::ControlId;

constexpr DWORD kWaitMs = 120000;      // the longest wait for any one thing to happen
constexpr DWORD kRunWaitMs = 600000;   // the longest wait for the 1 GB cycle to write, read and delete
constexpr DWORD kPollMs = 20;
constexpr DWORD kSizePollMs = 2;       // the full-size work file lasts only through the read-back and the reset's pause
constexpr DWORD kStaysOpenMs = 1000;   // how long a window must outlive a close request it ignores
// Clicks that arrive while the program empties its message queue are dropped
// on purpose; after its last text of a step shows, give that emptying time to end.
constexpr DWORD kSettleMs = 1000;
constexpr std::uint64_t kWorkFileBytes = 1000000000;

constexpr wchar_t kDriveWindowClass[] = L"QuillobarDriveDialog";
constexpr wchar_t kDriveWindowTitle[] = L"请选择 SSD/NVME";
constexpr wchar_t kMainWindowClass[] = L"QuillobarWindow";
constexpr wchar_t kMainTitlePrefix[] = L"Quillobar V3.3 - 最大可验证内存约 ";
constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr wchar_t kCapacityBoxTitle[] = L"Quillobar V3.3 - 内存和 SSD 状态";
constexpr wchar_t kCapacityTextPrefix[] = L"当前驱动器工作路径: \rC:\\ram_sdd_fold\\";
constexpr wchar_t kResetBoxTitle[] = L"Quillobar";
constexpr wchar_t kResetBoxText[] = L"重置. 释放内存和 SSD 文件";
constexpr wchar_t kSelectedPathText[] = L"已选路径: C:\\ram_sdd_fold\\memory_to_file.dat";

constexpr wchar_t kWorkFolder[] = L"C:\\ram_sdd_fold";
constexpr wchar_t kWorkFile[] = L"C:\\ram_sdd_fold\\memory_to_file.dat";
constexpr wchar_t kKeptFile[] = L"C:\\ram_sdd_fold\\keep.txt";
constexpr wchar_t kLateFile[] = L"C:\\ram_sdd_fold\\after_run.txt";

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kDriveC = 2;  // drive index: 0 = A:

PROCESS_INFORMATION program{};

// Output -----------------------------------------------------------------

std::string utf8(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

void write(const std::wstring& text) {
    const std::string line = utf8(text) + '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

// A window text as one readable line: control characters written as escapes.
std::wstring shown(const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'\r') {
            out += L"\\r";
        } else if (c == L'\n') {
            out += L"\\n";
        } else {
            out += c;
        }
    }
    return out + L"\"";
}

bool programRunning() {
    return program.hProcess != nullptr && WaitForSingleObject(program.hProcess, 0) == WAIT_TIMEOUT;
}

[[noreturn]] void fail(const std::wstring& why) {
    write(L"FAILED: " + why);
    if (programRunning()) {
        write(L"ending quillobar.exe");
        TerminateProcess(program.hProcess, 99);
        WaitForSingleObject(program.hProcess, 10000);
    }
    std::exit(1);
}

void check(bool ok, const std::wstring& why) {
    if (!ok) fail(why);
}

// Fails at once when the program has ended while the driver waits for it to do something.
void requireProgramRunning() {
    if (programRunning()) return;
    DWORD code = 0;
    GetExitCodeProcess(program.hProcess, &code);
    fail(L"quillobar.exe ended early, exit code " + std::to_wstring(code));
}

// Checks `condition` every `pollMs` until it holds; false after `timeoutMs`.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs, DWORD pollMs = kPollMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        requireProgramRunning();
        Sleep(pollMs);
    }
}

// Files ------------------------------------------------------------------

bool exists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// The file's size, or -1 when it does not exist.
std::int64_t fileSize(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return -1;
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

void writeSmallFile(const wchar_t* path, const char* content) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    check(file != INVALID_HANDLE_VALUE, std::wstring(L"cannot create ") + path);
    DWORD done = 0;
    const BOOL ok = WriteFile(file, content, static_cast<DWORD>(std::strlen(content)), &done, nullptr);
    CloseHandle(file);
    check(ok != 0, std::wstring(L"cannot write ") + path);
}

// An empty work folder, whatever an earlier run left in it.
void makeEmptyWorkFolder() {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((std::wstring(kWorkFolder) + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
            const std::wstring path = std::wstring(kWorkFolder) + L"\\" + entry.cFileName;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    CreateDirectoryW(kWorkFolder, nullptr);
    check(exists(kWorkFolder), std::wstring(L"cannot create ") + kWorkFolder);
}

// Windows ----------------------------------------------------------------

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring caption(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// A control's text, asked of the control itself (status bars and statics
// answer WM_GETTEXT; their caption outside the program need not follow).
std::wstring controlText(HWND control) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kWaitMs,
                            &copied) == 0) {
        fail(L"no answer to WM_GETTEXT from a control of class " + className(control));
    }
    return text;
}

struct WindowSearch {
    const wchar_t* className;
    const wchar_t* title;  // nullptr: any title
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != program.dwProcessId) return TRUE;
    if (className(window) != search.className) return TRUE;
    if (search.title != nullptr && caption(window) != search.title) return TRUE;
    search.found = window;
    return FALSE;
}

// A top-level window of the program with this class (and title), shown or not.
HWND findWindow(const wchar_t* windowClass, const wchar_t* title = nullptr) {
    WindowSearch search{windowClass, title, nullptr};
    EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForVisibleWindow(const wchar_t* windowClass, const wchar_t* title, const std::wstring& what) {
    HWND window = nullptr;
    const bool appeared = waitUntil([&] {
        window = findWindow(windowClass, title);
        return window != nullptr && IsWindowVisible(window);
    });
    check(appeared, what + L" did not appear within " + std::to_wstring(kWaitMs / 1000) + L" s");
    return window;
}

HWND requireControl(HWND window, ControlId id, const std::wstring& what) {
    HWND control = GetDlgItem(window, static_cast<int>(id));
    check(control != nullptr, what + L" (control " + std::to_wstring(static_cast<int>(id)) + L") is missing");
    return control;
}

// For a window that shows before it has made its controls.
HWND waitForControl(HWND window, ControlId id, const std::wstring& what) {
    HWND control = nullptr;
    const bool made = waitUntil([&] {
        control = GetDlgItem(window, static_cast<int>(id));
        return control != nullptr;
    });
    check(made, what + L" (control " + std::to_wstring(static_cast<int>(id)) + L") did not appear");
    return control;
}

// Waits for the message box, checks its text and presses its OK button.
void answerMessageBox(const wchar_t* title, const std::function<bool(const std::wstring&)>& textIsRight,
                      const std::wstring& expected) {
    HWND box = waitForVisibleWindow(kMessageBoxClass, title, L"the message box " + shown(title));
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    check(text != nullptr, L"the message box " + shown(title) + L" has no text");
    const std::wstring said = controlText(text);
    check(textIsRight(said), L"the message box " + shown(title) + L" says " + shown(said) + L", expected " + expected);
    write(L"    box " + shown(title) + L": " + shown(said));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    check(waitUntil([&] { return !IsWindow(box); }), L"the message box " + shown(title) + L" stayed after OK");
}

// Waits until the main window's status bar shows the selected work file,
// the last thing the program shows before it waits for the user.
void waitUntilIdle(HWND mainWindow, const std::wstring& when) {
    HWND statusBar = requireControl(mainWindow, ControlId::StatusBar, L"the status bar");
    std::wstring status;
    const bool ready = waitUntil([&] {
        status = controlText(statusBar);
        return status == kSelectedPathText;
    });
    check(ready, when + L": the status bar says " + shown(status) + L", expected " + shown(kSelectedPathText));
    Sleep(kSettleMs);
}

// Program ----------------------------------------------------------------

// A Unix path (Wine) becomes the Windows path of the same file.
std::wstring windowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    using ToDos = WCHAR* (*)(LPCSTR);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos != nullptr) {
        if (WCHAR* dos = toDos(utf8(path).c_str())) {
            std::wstring result = dos;
            HeapFree(GetProcessHeap(), 0, dos);
            return result;
        }
    }
    std::wstring result = L"Z:" + path;
    for (wchar_t& c : result) {
        if (c == L'/') c = L'\\';
    }
    return result;
}

// Starts the program inside a job that ends it when the driver ends, so a
// driver killed by a test timeout leaves no program behind.
void startProgram(const std::wstring& exePath) {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &program)) {
        program = {};
        fail(L"cannot start " + exePath + L", error " + std::to_wstring(GetLastError()));
    }
    if (job != nullptr) AssignProcessToJobObject(job, program.hProcess);
    ResumeThread(program.hThread);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc != 2) {
        write(L"usage: quillobar_e2e_driver <path of quillobar.exe>");
        return 2;
    }
    const std::wstring exePath = windowsPath(argv[1]);

    write(L"[1] work folder with a stale work file and keep.txt");
    makeEmptyWorkFolder();
    writeSmallFile(kWorkFile, "stale");
    writeSmallFile(kKeptFile, "keep");

    write(L"[2] start " + exePath + L"; the drive window ignores a close request; pick C: and press OK");
    startProgram(exePath);
    HWND driveWindow = waitForVisibleWindow(kDriveWindowClass, kDriveWindowTitle, L"the drive window");
    // The OK button is made after the drive list is filled.
    HWND okButton = waitForControl(driveWindow, ControlId::DriveOkButton, L"the OK button");
    HWND driveList = requireControl(driveWindow, ControlId::DriveCombo, L"the drive list");
    check(className(driveList) == L"ComboBoxEx32", L"the drive list is a " + className(driveList));

    PostMessageW(driveWindow, WM_CLOSE, 0, 0);
    Sleep(kStaysOpenMs);
    requireProgramRunning();
    check(IsWindow(driveWindow) && IsWindowVisible(driveWindow), L"the drive window closed on WM_CLOSE");

    const DWORD drives = GetLogicalDrives();
    check((drives & (1u << kDriveC)) != 0, L"there is no drive C:");
    int itemC = 0;
    for (int letter = 0; letter < kDriveC; ++letter) {
        if ((drives & (1u << letter)) != 0) ++itemC;
    }
    DWORD_PTR answer = 0;
    auto ask = [&](UINT message, WPARAM wParam) {
        if (SendMessageTimeoutW(driveList, message, wParam, 0, SMTO_NORMAL, kWaitMs, &answer) == 0) {
            fail(L"the drive list does not answer");
        }
        return static_cast<LRESULT>(answer);
    };
    const LRESULT preselected = ask(CB_GETCURSEL, 0);
    check(preselected == itemC, L"the drive list preselects item " + std::to_wstring(preselected) +
                                    L", expected C: at item " + std::to_wstring(itemC));
    const LRESULT driveOfItem = ask(CB_GETITEMDATA, static_cast<WPARAM>(itemC));
    check(driveOfItem == kDriveC, L"item " + std::to_wstring(itemC) + L" of the drive list holds drive index " +
                                      std::to_wstring(driveOfItem) + L", expected 2 (C:)");
    check(ask(CB_SETCURSEL, static_cast<WPARAM>(itemC)) == itemC, L"the drive list refused to select C:");
    PostMessageW(driveWindow, WM_COMMAND, MAKEWPARAM(static_cast<int>(ControlId::DriveCombo), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(driveList));
    PostMessageW(okButton, BM_CLICK, 0, 0);
    check(waitUntil([&] { return !IsWindow(driveWindow); }), L"the drive window stayed after OK");

    write(L"[3] capacity box before the main window");
    waitForVisibleWindow(kMessageBoxClass, kCapacityBoxTitle, L"the capacity box");
    HWND early = findWindow(kMainWindowClass);
    check(early == nullptr || !IsWindowVisible(early), L"the main window shows before the capacity box is dismissed");
    answerMessageBox(
        kCapacityBoxTitle, [](const std::wstring& text) { return text.starts_with(kCapacityTextPrefix); },
        L"a text starting " + shown(kCapacityTextPrefix));

    write(L"[4] main window; the stale work file goes, keep.txt stays");
    HWND mainWindow = waitForVisibleWindow(kMainWindowClass, nullptr, L"the main window");
    const std::wstring title = caption(mainWindow);
    check(title.starts_with(kMainTitlePrefix),
          L"the main window's title is " + shown(title) + L", expected it to start " + shown(kMainTitlePrefix));
    write(L"    title " + shown(title));
    check(waitUntil([] { return !exists(kWorkFile); }), L"the stale work file was not deleted at start-up");
    check(exists(kKeptFile), L"keep.txt was deleted at start-up");
    waitUntilIdle(mainWindow, L"after start-up");

    write(L"[5] Start: the work file grows to 1,000,000,000 bytes and goes; a close request meanwhile is lost");
    HWND startButton = requireControl(mainWindow, ControlId::StartButton, L"the Start button");
    HWND passCount = requireControl(mainWindow, ControlId::PassCountField, L"the pass count");
    PostMessageW(startButton, BM_CLICK, 0, 0);
    check(waitUntil([] { return exists(kWorkFile); }), L"no work file appeared after Start");
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    std::int64_t largest = 0;
    const bool deleted = waitUntil(
        [&] {
            const std::int64_t size = fileSize(kWorkFile);
            if (size > largest) largest = size;
            return size < 0;
        },
        kRunWaitMs, kSizePollMs);
    check(deleted, L"the work file was still there " + std::to_wstring(kRunWaitMs / 1000) + L" s after Start");
    check(largest == static_cast<std::int64_t>(kWorkFileBytes),
          L"the work file's largest size was " + std::to_wstring(largest) + L" bytes, expected 1000000000");
    write(L"    largest size seen: " + std::to_wstring(largest) + L" bytes");

    write(L"[6] end-of-run box; the main window stays; pass count 1; work folder made again");
    answerMessageBox(
        kResetBoxTitle, [](const std::wstring& text) { return text == kResetBoxText; }, shown(kResetBoxText));
    check(waitUntil([] { return exists(kWorkFolder); }), L"the work folder was not made again after the run");
    check(IsWindow(mainWindow) && IsWindowVisible(mainWindow), L"the main window closed on WM_CLOSE during the run");
    std::wstring passes;
    const bool counted = waitUntil([&] {
        passes = controlText(passCount);
        return passes == L"1";
    });
    check(counted, L"the pass count reads " + shown(passes) + L", expected \"1\"");
    waitUntilIdle(mainWindow, L"after the run");

    write(L"[7] close: the program ends with code 0 and removes the work folder with every file in it");
    writeSmallFile(kLateFile, "late");
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    check(WaitForSingleObject(program.hProcess, kWaitMs) == WAIT_OBJECT_0,
          L"quillobar.exe still runs " + std::to_wstring(kWaitMs / 1000) + L" s after WM_CLOSE");
    DWORD code = 0;
    GetExitCodeProcess(program.hProcess, &code);
    check(code == 0, L"quillobar.exe ended with exit code " + std::to_wstring(code));
    check(!exists(kLateFile), L"after_run.txt was not deleted at exit");
    check(!exists(kWorkFolder), L"the work folder was not removed at exit");

    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
    write(L"PASSED");
    return 0;
}
