#include "app/startup.h"

#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "engine/engine.h"
#include "location/byte_size_text.h"
#include "location/capacity.h"
#include "location/drive_dialog.h"
#include "location/work_paths.h"
#include "resources/resource_ids.h"
#include "ui/event_loop.h"
#include "ui/stage_pictures.h"
#include "ui/ui_environment.h"
#include "ui/window_ui.h"

namespace quillobar {
namespace {

// ICC_TAB_CLASSES, ICC_HOTKEY_CLASS, ICC_DATE_CLASSES, ICC_USEREX_CLASSES, ICC_INTERNET_CLASSES.
constexpr DWORD kCommonControlClasses = 0x0B48;

std::wstring wideText(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

int runProgram(HINSTANCE instance) {
    // 1. The process and user-interface environment; no window is visible yet.
    UiEnvironment environment;
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), kCommonControlClasses};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(QUILLOBAR_ICON_ID));
    WindowUi::registerWindowClass(instance, icon);
    DriveDialog::registerWindowClass(instance, icon);
    Os& os = systemOs();  // holds the private heap of the test buffers

    // 2. The test state.
    TestState state;
    setStartupValues(state);

    // 3-5. Pictures, the start button's font, the free memory.
    StagePictures pictures;
    pictures.load(instance);
    environment.createStartButtonFont();
    state.freeRamBytes = readFreeMemory(os);

    WindowUi window(instance, environment, pictures);
    Engine engine{state, window, os};
    DriveDialog driveDialog(instance, environment, window);
    Program program{engine, window, &driveDialog};

    // 6-9. The drive, its free space, the work paths and the work folder.
    state.driveRoot = driveDialog.run();
    state.workFolder = state.driveRoot;
    state.freeDiskBytes = readFreeDiskSpace(os, state.driveRoot);
    deriveWorkPaths(state, os.pathSeparator());
    createFolder(os, state.workFolder);

    // 10. The capacity message, before the main window exists.
    window.messageBox(capacityMessageTitle(), capacityMessageText(state));

    // 11-17. The main window, the size and fill code from its controls, a
    // work file left by an earlier start, the blink and the selected path.
    window.createMainWindow(wideText(mainWindowTitle(state)), sizeSliderMaximum(state), state.cyclesLeft,
                            state.fillCode);
    state.fillCode = window.getControlState(ControlId::FillCodeSpin);
    state.sizeGb = window.getControlState(ControlId::SizeSlider);
    state.bufferBytes = state.sizeGb * kBytesPerGb;
    deleteWorkFile(engine);
    window.drainPendingEvents();
    startupBlink(program);
    showSelectedPath(engine);
    window.drainPendingEvents();

    // 18. Events until the main window is asked to close.
    runEventLoop(program);

    // Shutdown: the work file, the emptied work folder, then everything held.
    deleteWorkFile(engine);
    emptyFolder(os, state.cleanFolder);
    window.destroyMainWindow();
    return 0;
}

}  // namespace quillobar
