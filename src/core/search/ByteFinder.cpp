#include "ByteFinder.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KEEPSAKE_X86_SIMD 1
#endif

namespace {

inline unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? (c | 0x20) : c;
}

inline bool isLetter(unsigned char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

// How often a byte turns up in the files people keep, roughly: English and
// code text, digits, and the lead bytes of Chinese in UTF-8. Only the order
// matters; a probe on a rare byte lets the fast loop skip almost every
// position, where one on "e" or a space stops at every few.
int commonness(unsigned char c, bool fold) {
    static const std::array<int, 256> ranks = [] {
        std::array<int, 256> r{};
        for (int b = 0x80; b < 0x100; ++b)
            r[size_t(b)] = 40;
        for (int b = 0xE4; b <= 0xE9; ++b)
            r[size_t(b)] = 90; // leads every CJK ideograph in UTF-8
        // Most common first.
        const char* order = " etaoinsrhldcu\nmfpgwyb,.v0k1=2()\";-_:/345x'6789jqz";
        const int count = int(std::strlen(order));
        for (int i = 0; i < count; ++i)
            r[static_cast<unsigned char>(order[i])] = 200 - i;
        for (int b = 'A'; b <= 'Z'; ++b)
            r[size_t(b)] = r[size_t(b | 0x20)] / 2;
        return r;
    }();
    // Folded, a letter probe stops at both cases.
    if (fold && isLetter(c))
        return ranks[lowerAscii(c)] + ranks[c & ~0x20u];
    return ranks[c];
}

#if KEEPSAKE_X86_SIMD
bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

} // namespace

ByteFinder::ByteFinder(const QByteArray& needle, bool foldAscii)
    : m_needle(needle), m_fold(foldAscii) {
    if (m_fold) {
        for (char& c : m_needle)
            c = char(lowerAscii(static_cast<unsigned char>(c)));
    }
    // The rarest byte, then the rarest other one (the last byte when all are
    // the same).
    const qsizetype size = m_needle.size();
    auto rank = [&](qsizetype i) {
        return commonness(static_cast<unsigned char>(m_needle[i]), m_fold);
    };
    for (qsizetype i = 1; i < size; ++i) {
        if (rank(i) < rank(m_probe[0]))
            m_probe[0] = i;
    }
    m_probe[1] = m_probe[0] == size - 1 ? 0 : size - 1;
    for (qsizetype i = 0; i < size; ++i) {
        if (i != m_probe[0] && m_needle[i] != m_needle[m_probe[0]] &&
            (m_needle[m_probe[1]] == m_needle[m_probe[0]] || rank(i) < rank(m_probe[1])))
            m_probe[1] = i;
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

// Both test the starts from p on, many at a time, while a whole vector of
// them fits before last: true with p at a match, else false with p at the
// first start not tested. The probes are read from p + probe, which stays
// inside the buffer while p + 15 (or 31) <= last.
bool ByteFinder::scanSse2(const unsigned char*& p, const unsigned char* last) const {
#if KEEPSAKE_X86_SIMD
    const auto one = static_cast<unsigned char>(m_needle[m_probe[0]]);
    const auto two = static_cast<unsigned char>(m_needle[m_probe[1]]);
    const __m128i oneV = _mm_set1_epi8(char(one));
    const __m128i twoV = _mm_set1_epi8(char(two));
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i zero = _mm_setzero_si128();
    const __m128i oneOr = m_fold && isLetter(one) ? caseBit : zero;
    const __m128i twoOr = m_fold && isLetter(two) ? caseBit : zero;
    for (; p + 15 <= last; p += 16) {
        const __m128i a =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + m_probe[0])), oneOr);
        const __m128i b =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + m_probe[1])), twoOr);
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, oneV), _mm_cmpeq_epi8(b, twoV))));
        while (mask) {
            const int bit = __builtin_ctz(mask);
            if (matchesAt(p + bit)) {
                p += bit;
                return true;
            }
            mask &= mask - 1;
        }
    }
#endif
    return false;
}

#if KEEPSAKE_X86_SIMD
__attribute__((target("avx2")))
#endif
bool ByteFinder::scanAvx2(const unsigned char*& p, const unsigned char* last) const {
#if KEEPSAKE_X86_SIMD
    const auto one = static_cast<unsigned char>(m_needle[m_probe[0]]);
    const auto two = static_cast<unsigned char>(m_needle[m_probe[1]]);
    const __m256i oneV = _mm256_set1_epi8(char(one));
    const __m256i twoV = _mm256_set1_epi8(char(two));
    const __m256i caseBit = _mm256_set1_epi8(0x20);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i oneOr = m_fold && isLetter(one) ? caseBit : zero;
    const __m256i twoOr = m_fold && isLetter(two) ? caseBit : zero;
    for (; p + 31 <= last; p += 32) {
        const __m256i a = _mm256_or_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + m_probe[0])), oneOr);
        const __m256i b = _mm256_or_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + m_probe[1])), twoOr);
        unsigned mask = unsigned(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(a, oneV), _mm256_cmpeq_epi8(b, twoV))));
        while (mask) {
            const int bit = __builtin_ctz(mask);
            if (matchesAt(p + bit)) {
                p += bit;
                return true;
            }
            mask &= mask - 1;
        }
    }
#endif
    return false;
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
    const bool foldFirst = m_fold && isLetter(first);

    if (size == 1 && !foldFirst) {
        const void* hit = std::memchr(p, first, size_t(last - p + 1));
        return hit ? static_cast<const char*>(hit) : end;
    }

#if KEEPSAKE_X86_SIMD
    if ((hasAvx2() && scanAvx2(p, last)) || scanSse2(p, last))
        return reinterpret_cast<const char*>(p);
#endif
    for (; p <= last; ++p) {
        const unsigned char c = foldFirst ? (*p | 0x20) : *p;
        if (c == first && matchesAt(p))
            return reinterpret_cast<const char*>(p);
    }
    return end;
}
