// Everything the engine works with: the test state, the user interface and
// the operating system, plus the clock and pause bookkeeping of the process.
#pragma once

#include <cstdint>

#include "engine/engine_ui.h"
#include "engine/test_state.h"
#include "os/os.h"

namespace quillobar {

struct MillisecondClock {
    bool started = false;
    std::int64_t ticksPerMs = 0;  // 0: no performance counter, use the tick count
    std::int64_t origin = 0;
};

struct Engine {
    TestState& state;
    EngineUi& ui;
    Os& os;
    MillisecondClock clock{};
    bool timerResolutionRaised = false;
};

// Milliseconds since the first reading; the first reading returns 0.
std::int64_t readClockMs(Engine& engine);

// Waits on the calling thread without handling events. The first pause of
// the process raises the system timer resolution to 1 ms.
void pause(Engine& engine, std::int64_t ms);

}  // namespace quillobar
