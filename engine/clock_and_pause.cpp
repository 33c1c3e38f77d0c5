#include "engine/engine.h"

namespace quillobar {

std::int64_t readClockMs(Engine& engine) {
    MillisecondClock& clock = engine.clock;
    if (!clock.started) {
        clock.started = true;
        clock.ticksPerMs = engine.os.performanceFrequency() / 1000;
        if (clock.ticksPerMs > 0) clock.origin = engine.os.performanceCounter();
    }
    if (clock.ticksPerMs <= 0) return engine.os.tickCount();
    return (engine.os.performanceCounter() - clock.origin) / clock.ticksPerMs;
}

void pause(Engine& engine, std::int64_t ms) {
    if (!engine.timerResolutionRaised) {
        engine.timerResolutionRaised = true;
        engine.os.raiseTimerResolution();
    }
    engine.os.sleepMs(ms);
}

}  // namespace quillobar
