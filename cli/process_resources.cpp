#include "cli/process_resources.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <dirent.h>

#include <cstdio>
#endif

namespace quillobar {

#ifdef _WIN32

// Valid handle values of the process, found by asking about each candidate.
// Used where the system does not report a handle count (Wine answers 0).
std::int64_t probeHandles() {
    std::int64_t count = 0;
    for (std::uintptr_t value = 4; value < 0x40000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0) ++count;
    }
    return count;
}

ProcessResources readProcessResources() {
    ProcessResources resources;
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles) != 0) resources.handles = handles;
    if (resources.handles <= 0) resources.handles = probeHandles();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory) != 0) {
        resources.residentKb = static_cast<std::int64_t>(memory.WorkingSetSize / 1024);
    }
    return resources;
}

#else

ProcessResources readProcessResources() {
    ProcessResources resources;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr) {
            long long kb = 0;
            if (std::sscanf(line, "VmRSS: %lld kB", &kb) == 1) resources.residentKb = kb;
        }
        std::fclose(status);
    }
    if (DIR* fds = opendir("/proc/self/fd")) {
        std::int64_t count = 0;
        while (const dirent* entry = readdir(fds)) {
            if (entry->d_name[0] != '.') ++count;
        }
        closedir(fds);
        resources.handles = count - 1;  // the listing's own descriptor
    }
    return resources;
}

#endif

}  // namespace quillobar
