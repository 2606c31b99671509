#include "FindWord.h"

namespace {

// The separators in the order they have always been listed.
constexpr char16_t kSeparators[] = u"() \t<>{}:;,.=%\"'!@#$^&*-\\|[]/?\r\n";

struct SeparatorTable {
    bool is[128] = {};
    constexpr SeparatorTable() {
        for (char16_t c : kSeparators)
            if (c)
                is[c] = true;
    }
};

constexpr SeparatorTable kTable;

} // namespace

bool IsWordSeparator(char16_t c) {
    return c < 128 && kTable.is[c];
}

bool IsWholeWordAt(QStringView text, qsizetype pos, qsizetype length) {
    const qsizetype end = pos + length;
    if (end < text.size() && !IsWordSeparator(text[end].unicode()))
        return false;
    return pos == 0 || IsWordSeparator(text[pos - 1].unicode());
}

qsizetype FindWord(QStringView text, QStringView query, qsizetype from, bool wholeWord) {
    if (from < 0 || from > text.size())
        return -1;
    qsizetype pos = text.indexOf(query, from);
    if (!wholeWord)
        return pos;
    while (pos >= 0 && !IsWholeWordAt(text, pos, query.size()))
        pos = text.indexOf(query, pos + 1);
    return pos;
}
