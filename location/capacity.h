// The free physical memory and the free space of a drive, read once at start-up.
#pragma once

#include <cstdint>
#include <string>

#include "os/os.h"

namespace quillobar {

// Available physical memory in bytes; 0 when it cannot be read.
inline std::int64_t readFreeMemory(Os& os) { return os.availablePhysicalMemory(); }

// Total free bytes of the volume at `root`; 0 when it cannot be read.
inline std::int64_t readFreeDiskSpace(Os& os, const std::u16string& root) { return os.freeDiskBytes(root); }

}  // namespace quillobar
