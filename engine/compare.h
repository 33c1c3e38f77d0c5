// The fill and the search for the first byte that differs from the fill code,
// both at memory speed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillobar {

void fillBytes(std::uint8_t* block, std::size_t bytes, std::uint8_t value);

// Index of the first byte in [block, block + bytes) that is not `value`,
// or `bytes` when every byte equals it.
std::size_t findFirstDifferent(const std::uint8_t* block, std::size_t bytes, std::uint8_t value);

}  // namespace quillobar
