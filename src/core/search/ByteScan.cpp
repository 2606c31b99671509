#include "ByteScan.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ByteScan {

qsizetype CountLineFeeds(const char* begin, const char* end) {
    qsizetype count = 0;
    const char* p = begin;
#if defined(__SSE2__)
    // Each byte lane counts the line feeds it sees, up to 255, before the
    // lanes are summed: no population count per block, which without
    // -mpopcnt is a library call.
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    __m128i sums = zero;
    while (end - p >= 16) {
        const char* stop = p + 16 * std::min<qsizetype>(255, (end - p) / 16);
        __m128i lanes = zero;
        for (; p < stop; p += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(v, lf));
        }
        sums = _mm_add_epi64(sums, _mm_sad_epu8(lanes, zero));
    }
    count = qsizetype(_mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
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
