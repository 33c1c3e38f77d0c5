// One verification cycle: fill the buffer, copy it to the work file and read
// it back (when the SSD check is on), compare every byte, show the outcome.
#pragma once

#include <cstdint>

#include "engine/engine.h"

namespace quillobar {

inline constexpr std::int64_t kCopyRequestBytes = 65'535;
inline constexpr std::int64_t kCompareDrainInterval = 1'000'000;

// What went wrong with the work file, if anything; the first failed step.
struct FileOutcome {
    enum class Step { None, Create, Write, Read } failedStep = Step::None;
    std::uint32_t errorCode = 0;
    std::int64_t bytesRead = 0;
};

void runOneCycle(Engine& engine);

// The stages of a cycle, callable on their own by the tests and the benchmark.
// They work on state.buffer and state.bufferBytes.
void fillStage(Engine& engine);
FileOutcome copyStage(Engine& engine);       // create, write in 65,535-byte requests, close
FileOutcome readBackStage(Engine& engine);   // open, read the whole buffer, close
void compareStage(Engine& engine);

}  // namespace quillobar
