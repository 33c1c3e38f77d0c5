// The program from process start to exit: prepare, choose the drive, report
// the capacity, build the main window, run the event loop, clean up.
#pragma once

#include <windows.h>

namespace quillobar {

// Always returns 0, the process exit code.
int runProgram(HINSTANCE instance);

}  // namespace quillobar
