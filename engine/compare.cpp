#include "engine/compare.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillobar {

void fillBytes(std::uint8_t* block, std::size_t bytes, std::uint8_t value) {
    if (bytes != 0) std::memset(block, value, bytes);
}

std::size_t findFirstDifferent(const std::uint8_t* block, std::size_t bytes, std::uint8_t value) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i expected = _mm_set1_epi8(static_cast<char>(value));
    // 64 bytes a step: AND the four equality masks, and only look closer
    // when one of them has a byte that differs.
    for (; i + 64 <= bytes; i += 64) {
        const auto* p = reinterpret_cast<const __m128i*>(block + i);
        const __m128i e0 = _mm_cmpeq_epi8(_mm_loadu_si128(p + 0), expected);
        const __m128i e1 = _mm_cmpeq_epi8(_mm_loadu_si128(p + 1), expected);
        const __m128i e2 = _mm_cmpeq_epi8(_mm_loadu_si128(p + 2), expected);
        const __m128i e3 = _mm_cmpeq_epi8(_mm_loadu_si128(p + 3), expected);
        const __m128i all = _mm_and_si128(_mm_and_si128(e0, e1), _mm_and_si128(e2, e3));
        if (_mm_movemask_epi8(all) != 0xFFFF) break;
    }
    for (; i + 16 <= bytes; i += 16) {
        const __m128i eq =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i)), expected);
        const unsigned differ = ~static_cast<unsigned>(_mm_movemask_epi8(eq)) & 0xFFFFu;
        if (differ != 0) return i + static_cast<std::size_t>(__builtin_ctz(differ));
    }
#endif
    for (; i < bytes; ++i) {
        if (block[i] != value) return i;
    }
    return bytes;
}

}  // namespace quillobar
