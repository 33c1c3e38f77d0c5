// The console front end: one run of cycles with the options given, then the
// window's shutdown steps. Returns the process exit code.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "os/os.h"

namespace quillobar {

// 0: every cycle passed; 1: a cycle failed; 2: bad input (nothing touched on disk).
int runCli(const std::vector<std::u16string>& args, Os& os, std::FILE* out, std::FILE* err);

}  // namespace quillobar
