// The run of cycles started by the Start button: lock the parameter controls,
// run cycles with their tails and resets, end with a message and idle state.
#pragma once

#include <functional>

#include "engine/engine.h"

namespace quillobar {

inline constexpr std::int64_t kElapsedAdjustMs = 25;

// `beforeEachCycle`, when given, runs right before every cycle of the run;
// a front end without a check box uses it to hold its own SSD setting.
void runDriver(Engine& engine, const std::function<void()>& beforeEachCycle = {});

}  // namespace quillobar
