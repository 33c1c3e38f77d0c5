// The event loop, the handlers of the main window's controls chosen by
// control number from one table, and the start-up blink.
#pragma once

#include "engine/engine.h"
#include "ui/window_ui.h"

namespace quillobar {

class DriveDialog;

struct Program {
    Engine& engine;
    WindowUi& window;
    DriveDialog* driveDialog = nullptr;  // for the change-drive button
};

// The handler of a control event, or null when the control has none.
using ControlHandler = void (*)(Program&);
ControlHandler handlerFor(int controlId);

// Waits for events and runs each control's handler until a close-window event.
void runEventLoop(Program& program);

// Three times: disable the first link button, drain, pause 50 ms, enable, drain, pause 50 ms.
void startupBlink(Program& program);

// What the link buttons start: each stored target is the text "0".
inline constexpr wchar_t kLinkTargetA[] = L"0";
inline constexpr wchar_t kLinkTargetB[] = L"0";
inline constexpr wchar_t kLinkTargetC[] = L"0";

}  // namespace quillobar
