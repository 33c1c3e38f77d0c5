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

ProcessResources readProcessResources() {
    ProcessResources resources;
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles) != 0) resources.handles = handles;
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
