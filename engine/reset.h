// The reset after each cycle: removes the work file and the emptied work
// folder, clears the cycle's state and puts every test control back to idle.
#pragma once

#include "engine/engine.h"

namespace quillobar {

inline constexpr std::int64_t kResetPauseMs = 800;

void resetBetweenCycles(Engine& engine);

}  // namespace quillobar
