#include "ByteFinder.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? (c | 0x20) : c;
}

inline bool isLetter(unsigned char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

} // namespace

ByteFinder::ByteFinder(const QByteArray& needle, bool foldAscii)
    : m_needle(needle), m_fold(foldAscii) {
    if (m_fold) {
        for (char& c : m_needle)
            c = char(lowerAscii(static_cast<unsigned char>(c)));
    }
}

bool ByteFinder::matchesAt(const unsigned char* p) const {
    const auto* n = reinterpret_cast<const unsigned char*>(m_needle.constData());
    const qsizetype size = m_needle.size();
    if (!m_fold)
        return std::memcmp(p, n, size_t(size)) == 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (lowerAscii(p[i]) != n[i])
            return false;
    }
    return true;
}

const char* ByteFinder::Find(const char* begin, const char* end) const {
    const qsizetype size = m_needle.size();
    if (size == 0)
        return begin;
    if (end - begin < size)
        return end;
    const auto* p = reinterpret_cast<const unsigned char*>(begin);
    const auto* last = reinterpret_cast<const unsigned char*>(end) - size; // last start
    const auto first = static_cast<unsigned char>(m_needle[0]);
    const auto final = static_cast<unsigned char>(m_needle[size - 1]);
    const bool foldFirst = m_fold && isLetter(first);
    const bool foldFinal = m_fold && isLetter(final);

    if (size == 1 && !foldFirst) {
        const void* hit = std::memchr(p, first, size_t(last - p + 1));
        return hit ? static_cast<const char*>(hit) : end;
    }

#if defined(__SSE2__)
    const __m128i firstV = _mm_set1_epi8(char(first));
    const __m128i finalV = _mm_set1_epi8(char(final));
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i zero = _mm_setzero_si128();
    const __m128i firstOr = foldFirst ? caseBit : zero;
    const __m128i finalOr = foldFinal ? caseBit : zero;
    for (; p + 15 <= last; p += 16) {
        const __m128i a =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), firstOr);
        const __m128i b =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + size - 1)), finalOr);
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, firstV), _mm_cmpeq_epi8(b, finalV))));
        while (mask) {
            const int bit = __builtin_ctz(mask);
            if (matchesAt(p + bit))
                return reinterpret_cast<const char*>(p + bit);
            mask &= mask - 1;
        }
    }
#endif
    for (; p <= last; ++p) {
        const unsigned char c = foldFirst ? (*p | 0x20) : *p;
        if (c == first && matchesAt(p))
            return reinterpret_cast<const char*>(p);
    }
    return end;
}
