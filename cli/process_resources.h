// What the process holds right now: resident memory and open handles (file
// descriptors on POSIX). Printed by the console front end for soak runs.
#pragma once

#include <cstdint>

namespace quillobar {

struct ProcessResources {
    std::int64_t residentKb = -1;
    std::int64_t handles = -1;
};

ProcessResources readProcessResources();

}  // namespace quillobar
