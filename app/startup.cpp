#include "app/startup.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "engine/engine.h"
#include "location/byte_size_text.h"
#include "location/capacity.h"
#include "location/work_paths.h"
#include "ui/event_loop.h"
#include "ui/stage_pictures.h"
#include "ui/ui_environment.h"
#include "ui/window_ui.h"

namespace quillobar {
namespace {

constexpr DWORD kCommonControlClasses = 0x0B48;

// The root of the drive that holds the user's profile folder, or empty.
std::u16string profileDriveRoot() {
    std::u16string root;
    PIDLIST_ABSOLUTE folder = nullptr;
    if (SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_PROFILE, nullptr, 0, &folder))) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(folder, path) && path[0] != L'\0') {
            wchar_t letter = path[0];
            if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
            if (letter >= L'A' && letter <= L'Z') root = {static_cast<char16_t>(letter), u':', u'\\'};
        }
        CoTaskMemFree(folder);
    }
    return root;
}

}  // namespace

int runProgram(HINSTANCE instance) {
    // The process and user-interface environment.
    UiEnvironment environment;
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), kCommonControlClasses};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    WindowUi::registerWindowClass(instance, icon);

    Os& os = systemOs();
    TestState state;
    setStartupValues(state);
    StagePictures pictures;
    pictures.load(instance);
    environment.createStartButtonFont();
    state.freeRamBytes = readFreeMemory(os);

    state.driveRoot = profileDriveRoot();
    state.workFolder = state.driveRoot;
    state.freeDiskBytes = readFreeDiskSpace(os, state.driveRoot);
    deriveWorkPaths(state, os.pathSeparator());
    createFolder(os, state.workFolder);

    WindowUi window(instance, environment, pictures);
    Engine engine{state, window, os};
    Program program{engine, window};

    const std::u16string title = mainWindowTitle(state);
    window.createMainWindow(std::wstring(reinterpret_cast<const wchar_t*>(title.c_str())), sizeSliderMaximum(state),
                            state.cyclesLeft, state.fillCode);
    state.fillCode = window.getControlState(ControlId::FillCodeSpin);
    state.sizeGb = window.getControlState(ControlId::SizeSlider);
    state.bufferBytes = state.sizeGb * kBytesPerGb;
    deleteWorkFile(engine);
    window.drainPendingEvents();
    startupBlink(program);
    showSelectedPath(engine);
    window.drainPendingEvents();

    runEventLoop(program);

    deleteWorkFile(engine);
    emptyFolder(os, state.cleanFolder);
    window.destroyMainWindow();
    return 0;
}

}  // namespace quillobar
