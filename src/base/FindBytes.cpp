#include "base/FindBytes.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define NIMBRA_HAVE_SSE2 1
#endif

namespace nimbra {

namespace {

const char* FindScalar(const char* haystack, std::size_t n, const char* needle, std::size_t m) {
    const char first = needle[0];
    for (std::size_t i = 0; i + m <= n; ++i) {
        const void* hit = std::memchr(haystack + i, first, n - m + 1 - i);
        if (hit == nullptr)
            return nullptr;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - haystack);
        if (std::memcmp(haystack + i + 1, needle + 1, m - 1) == 0)
            return haystack + i;
    }
    return nullptr;
}

}  // namespace

// Compares the needle's first and last byte against sixteen positions at a
// time and checks the whole needle only where both agree, which is rare in
// text; this runs at memory speed on the filter's one big buffer.
const char* FindBytes(const char* haystack, std::size_t n, const char* needle, std::size_t m) {
    if (m == 0)
        return haystack;
    if (m > n)
        return nullptr;
    if (m == 1)
        return static_cast<const char*>(std::memchr(haystack, needle[0], n));
    std::size_t i = 0;
#ifdef NIMBRA_HAVE_SSE2
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i last = _mm_set1_epi8(needle[m - 1]);
    for (; i + m - 1 + 16 <= n; i += 16) {
        const __m128i blockFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i));
        const __m128i blockLast =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i + m - 1));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(first, blockFirst), _mm_cmpeq_epi8(last, blockLast))));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask));
            if (std::memcmp(haystack + at + 1, needle + 1, m - 2) == 0)
                return haystack + at;
            mask &= mask - 1;
        }
    }
#endif
    return FindScalar(haystack + i, n - i, needle, m);
}

}  // namespace nimbra
