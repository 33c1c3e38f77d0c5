// The one record of test parameters and run state of the process.
#pragma once

#include <cstdint>
#include <string>

namespace quillobar {

inline constexpr std::int64_t kBytesPerGb = 1'000'000'000;

struct TestState {
    // Test parameters.
    std::int64_t sizeGb = 0;
    std::int64_t bufferBytes = 0;  // always sizeGb * kBytesPerGb
    std::int64_t fillCode = 0;     // 0-255
    std::int64_t cyclesLeft = 0;
    std::int64_t ssdCheckOff = 0;  // 1: the cycle skips the copy and the read-back

    // Outcome and timing.
    std::int64_t passCount = 0;
    std::int64_t errorFound = 0;
    std::int64_t readValue = 0;
    std::int64_t runStartMs = 0;
    std::int64_t elapsedMs = 0;

    // Buffer and cursors, used only inside a cycle.
    std::uint8_t* buffer = nullptr;
    std::uint8_t* writeCursor = nullptr;
    std::uint8_t* writeEnd = nullptr;
    std::int64_t chunkBytes = 0;
    std::uint8_t* verifyCursor = nullptr;
    std::int64_t verifyCounter = 0;

    // Work location.
    std::u16string driveRoot;
    std::u16string workFolder;
    std::u16string workFile;
    std::u16string cleanFolder;

    // Capacity.
    std::int64_t freeRamBytes = 0;
    std::int64_t freeDiskBytes = 0;

    // Event loop: the kind of the last event the loop waited for.
    std::int64_t lastEvent = 0;
};

// Start-up values: everything cleared, then the fill code and cycle count.
// The size follows from the slider once the controls exist.
inline void setStartupValues(TestState& state) {
    state = TestState{};
    state.fillCode = 128;
    state.cyclesLeft = 1;
}

}  // namespace quillobar
