#include "CaseFold.h"

#include <array>
#include <cstdint>

namespace CaseFold {

namespace {

// Two bits per unit, worked out once from the folding itself so the byte
// search can never disagree with it.
struct SpellingTable {
    std::array<std::uint8_t, 0x10000> bits{};
    enum : std::uint8_t { Foreign = 1, NonAscii = 2 };

    SpellingTable() {
        for (unsigned u = 0; u < 0x10000; ++u) {
            const char16_t c = char16_t(u);
            const char16_t target = Fold(c);
            if (target == c)
                continue;
            const bool asciiCapital =
                target >= u'a' && target <= u'z' && c == char16_t(target - 0x20);
            if (asciiCapital)
                continue;
            bits[target] |= Foreign;
            if (c >= 0x80 && target < 0x80)
                bits[target] |= NonAscii;
        }
    }
};

const SpellingTable& table() {
    static const SpellingTable t;
    return t;
}

} // namespace

QString Folded(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    const char16_t* s = text.utf16();
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        d[i] = Fold(s[i]);
    return out;
}

bool HasForeignSpelling(char16_t c) {
    return table().bits[c] & SpellingTable::Foreign;
}

bool HasNonAsciiSpelling(char16_t c) {
    return table().bits[c] & SpellingTable::NonAscii;
}

} // namespace CaseFold
