#include "location/drive_dialog.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shellapi.h>

#include "location/drive_text.h"
#include "location/work_paths.h"

namespace quillobar {
namespace {

constexpr int kDialogNumber = static_cast<int>(ControlId::DriveDialog);
constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU;
constexpr int kDropDownHeight = 350;  // pixels: how far the list drops down
constexpr int kClosedHeight = 25;
constexpr int kProbeItemHeight = 15;

HMENU childId(ControlId id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(static_cast<int>(id))); }

}  // namespace

std::u16string profileFolder() {
    std::u16string path;
    PIDLIST_ABSOLUTE folder = nullptr;
    if (SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_PROFILE, nullptr, 0, &folder)) && folder != nullptr) {
        wchar_t text[MAX_PATH] = {};
        if (SHGetPathFromIDListW(folder, text)) path = reinterpret_cast<const char16_t*>(text);
        CoTaskMemFree(folder);
    }
    if (!path.empty() && path.back() != u'\\') path += u'\\';
    return path;
}

DriveDialog::DriveDialog(HINSTANCE instance, UiEnvironment& environment, WindowUi& events)
    : instance_(instance), environment_(environment), events_(events) {}

std::u16string DriveDialog::run() {
    open();
    const std::u16string startPath = profileFolder();
    createDriveList(startPath);
    HWND ok = CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON,
                              environment_.scaleX(10), environment_.scaleY(45), environment_.scaleX(380),
                              environment_.scaleY(38), window_, childId(ControlId::DriveOkButton), instance_, nullptr);
    if (ok != nullptr) SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(environment_.defaultControlFont()), FALSE);

    std::u16string current = driveText_;
    for (;;) {
        Event event;
        if (!events_.waitForEvent(event) || event.kind != EventKind::Control) continue;
        if (event.window != kDialogNumber) continue;  // the main window's events are lost meanwhile
        if (event.id == static_cast<int>(ControlId::DriveCombo)) current = driveText_;
        if (event.id == static_cast<int>(ControlId::DriveOkButton)) break;
    }
    close();
    return current;
}

void DriveDialog::open() {
    RECT outer{0, 0, environment_.scaleX(kClientWidth), environment_.scaleY(kClientHeight)};
    AdjustWindowRectEx(&outer, kDialogStyle, FALSE, 0);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int x = (screenWidth - std::min(screenWidth, width)) / 2;
    const int y = (screenHeight - std::min(screenHeight, height)) / 2;
    window_ = CreateWindowExW(0, kWindowClass, L"请选择 SSD/NVME", kDialogStyle, x, y, width, height, nullptr, nullptr,
                              instance_, this);
    if (window_ == nullptr) return;
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void DriveDialog::createDriveList(const std::u16string& startPath) {
    driveList_ = CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST,
                                 environment_.scaleX(10), environment_.scaleY(10), environment_.scaleX(380),
                                 kDropDownHeight, window_, childId(ControlId::DriveCombo), instance_, nullptr);
    if (driveList_ == nullptr) return;
    SendMessageW(driveList_, WM_SETFONT, reinterpret_cast<WPARAM>(environment_.defaultControlFont()), FALSE);

    // The closed list is 25 units tall: measure what the selection field adds
    // around an item of 15 pixels, then size the item to make up the rest.
    SendMessageW(driveList_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kProbeItemHeight);
    RECT closed{};
    GetWindowRect(driveList_, &closed);
    const int frame = (closed.bottom - closed.top) - kProbeItemHeight;
    SendMessageW(driveList_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), environment_.scaleY(kClosedHeight) - frame);

    wchar_t windowsFolder[MAX_PATH] = {};
    GetWindowsDirectoryW(windowsFolder, MAX_PATH);
    SHFILEINFOW info{};
    const auto icons = SHGetFileInfoW(windowsFolder, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    SendMessageW(driveList_, CBEM_SETIMAGELIST, 0, static_cast<LPARAM>(icons));
    fillDriveList(startPath);
}

void DriveDialog::fillDriveList(const std::u16string& startPath) {
    // A drive without a medium must not raise a system error box while it is asked.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    int preselected = -1;
    driveText_ = preselectedRoot(normaliseStartPath(startPath), preselected);
    SendMessageW(driveList_, CB_RESETCONTENT, 0, 0);

    LRESULT preselectedItem = -1;
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (1u << letter)) == 0) continue;
        const std::u16string root = driveRootFromIndex(letter);
        const auto* rootText = reinterpret_cast<const wchar_t*>(root.c_str());
        SHFILEINFOW icon{};
        SHGetFileInfoW(rootText, 0, &icon, sizeof icon, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        SHFILEINFOW name{};
        SHGetFileInfoW(rootText, 0, &name, sizeof name, SHGFI_DISPLAYNAME);
        // Without a display name from the shell, the entry shows its root.
        std::wstring shown = name.szDisplayName[0] != L'\0' ? name.szDisplayName : rootText;

        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_LPARAM;
        item.iItem = -1;
        item.pszText = shown.data();
        item.iImage = icon.iIcon;
        item.iSelectedImage = icon.iIcon;
        item.iIndent = 0;
        item.lParam = letter;
        const LRESULT at = SendMessageW(driveList_, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (letter == preselected) preselectedItem = at;
    }
    SetErrorMode(0);
    SendMessageW(driveList_, CB_SETCURSEL, static_cast<WPARAM>(preselectedItem), 0);
}

void DriveDialog::acceptSelection() {
    driveText_.clear();
    const LRESULT selected = SendMessageW(driveList_, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return;
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_LPARAM;
    item.iItem = selected;
    if (SendMessageW(driveList_, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0) {
        driveText_ = driveRootFromIndex(item.lParam);
    }
}

void DriveDialog::close() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
    driveList_ = nullptr;
    events_.queue().removeWindow(kDialogNumber);
}

bool DriveDialog::registerWindowClass(HINSTANCE instance, HICON icon) {
    return registerProgramWindowClass(instance, icon, kWindowClass, &ownedWindowProc<DriveDialog>);
}

LRESULT DriveDialog::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const WORD id = LOWORD(wParam);
            const WORD code = HIWORD(wParam);
            if (lParam == 0) return 0;
            if (id == static_cast<int>(ControlId::DriveCombo) && code == CBN_SELENDOK) acceptSelection();
            if (id == static_cast<int>(ControlId::DriveCombo) || id == static_cast<int>(ControlId::DriveOkButton)) {
                events_.queue().add({EventKind::Control, id, kDialogNumber, code});
            }
            return 0;
        }
        case WM_CLOSE:
            // The dialog ends only through OK.
            events_.queue().add({EventKind::CloseWindow, kDialogNumber, kDialogNumber, WM_CLOSE});
            return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void changeDrive(Engine& engine, DriveDialog& dialog) {
    deleteWorkFile(engine);
    emptyFolder(engine.os, engine.state.cleanFolder);
    pause(engine, 200);
    engine.state.driveRoot = dialog.run();
    engine.state.workFolder = engine.state.driveRoot;
    deriveWorkPaths(engine.state, engine.os.pathSeparator());
    createFolder(engine.os, engine.state.workFolder);
    showSelectedPath(engine);
    engine.ui.drainPendingEvents();
}

}  // namespace quillobar
