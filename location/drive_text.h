// The drive text of the drive list: always a drive root (an upper-case
// letter, a colon, a backslash) or empty.
#pragma once

#include <cstdint>
#include <string>

namespace quillobar {

// The start path as the drive list first takes it: a lower-case first letter
// made upper case, and a backslash appended when missing.
std::u16string normaliseStartPath(std::u16string path);

// The root of the drive a path begins with, or empty when it does not begin
// with a letter A to Z; `letter` is then 0-25, or -1.
std::u16string preselectedRoot(const std::u16string& path, int& letter);

// "A:\\" for 0 up to "Z:\\" for 25; empty for anything else.
std::u16string driveRootFromIndex(std::int64_t index);

}  // namespace quillobar
