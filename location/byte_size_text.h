// Byte counts as text in steps of 1024, and the capacity texts built from them.
#pragma once

#include <cstdint>
#include <string>

#include "engine/test_state.h"

namespace quillobar {

// "1.50 KB", "465 GB", "1023 b ": cut, never rounded; e >= 6 has no unit.
std::u16string formatByteSize(std::int64_t bytes);

// The message shown once before the main window opens.
std::u16string capacityMessageTitle();
std::u16string capacityMessageText(const TestState& state);

// "Quillobar V3.3 - 最大可验证内存约 " + freeRamBytes + " 字节".
std::u16string mainWindowTitle(const TestState& state);

// The highest test size in whole gigabytes that the free memory allows.
std::int64_t sizeSliderMaximum(const TestState& state);

}  // namespace quillobar
