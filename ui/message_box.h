// The program's modal message box: one OK button, and every other window of
// the program disabled and out of the topmost band while it shows.
#pragma once

namespace quillobar {

void showMessageBox(const wchar_t* title, const wchar_t* text);

}  // namespace quillobar
