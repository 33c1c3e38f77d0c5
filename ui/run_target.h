// Starts a stored target as a program or, failing that, through the shell.
#pragma once

namespace quillobar {

// True when anything was started; failures are silent.
bool runTarget(const wchar_t* target);

}  // namespace quillobar
