#include "ByteScan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ByteScan {

qsizetype CountLineFeeds(const char* begin, const char* end) {
    qsizetype count = 0;
    const char* p = begin;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        count += __builtin_popcount(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))));
    }
#endif
    for (; p < end; ++p)
        count += *p == '\n';
    return count;
}

bool IsAscii(const char* begin, const char* end) {
    const char* p = begin;
#if defined(__SSE2__)
    __m128i acc = _mm_setzero_si128();
    for (; end - p >= 64; p += 64) {
        const auto* v = reinterpret_cast<const __m128i*>(p);
        acc = _mm_or_si128(
            acc, _mm_or_si128(_mm_or_si128(_mm_loadu_si128(v), _mm_loadu_si128(v + 1)),
                              _mm_or_si128(_mm_loadu_si128(v + 2), _mm_loadu_si128(v + 3))));
    }
    if (_mm_movemask_epi8(acc))
        return false;
#endif
    unsigned char bits = 0;
    for (; p < end; ++p)
        bits |= static_cast<unsigned char>(*p);
    return bits < 0x80;
}

} // namespace ByteScan
