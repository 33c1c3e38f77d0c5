// The decimal text of a signed 64-bit number, as every number is shown.
#pragma once

#include <cstdint>
#include <string>

namespace quillobar {

// Digits with a leading '-' when negative; no separators, no padding.
std::u16string integerText(std::int64_t n);

// Plain ASCII text as UTF-16.
std::u16string ascii16(const char* text);

}  // namespace quillobar
