#include "KbQueryMatcher.h"

#include "CaseFold.h"

namespace {

inline char asciiFold(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c | 0x20) : c;
}

} // namespace

KbQueryMatcher::KbQueryMatcher(const QString& query)
    : m_folded(CaseFold::Folded(query)), m_bytes(m_folded.toUtf8()) {
    for (QChar c : std::as_const(m_folded)) {
        const char16_t u = c.unicode();
        // A surrogate would not come back from UTF-8 as the same unit when
        // it stands alone; a unit folding further would not match itself.
        if (c.isSurrogate() || CaseFold::Fold(u) != u || CaseFold::HasForeignSpelling(u)) {
            m_bytewise = false;
            break;
        }
    }
}

bool KbQueryMatcher::MatchesText(QStringView text) const {
    const qsizetype n = m_folded.size();
    if (n == 0)
        return true;
    // Names and keywords are short: a plain scan that folds as it compares
    // costs less than a folded copy of every one of them.
    const auto* q = reinterpret_cast<const char16_t*>(m_folded.utf16());
    for (qsizetype i = 0; i + n <= text.size(); ++i) {
        qsizetype j = 0;
        while (j < n && CaseFold::Fold(text[i + j].unicode()) == q[j])
            ++j;
        if (j == n)
            return true;
    }
    return false;
}

bool KbQueryMatcher::Matches(QByteArrayView utf8) const {
    if (!m_bytewise)
        return MatchesText(QString::fromUtf8(utf8));
    const qsizetype n = m_bytes.size();
    if (n == 0)
        return true;
    // Bytes of a multi-byte character are all above 0x7F and never fold,
    // and UTF-8 never starts a character inside another, so a byte match is
    // a match of whole characters.
    const char* q = m_bytes.constData();
    const char* t = utf8.data();
    const char first = q[0];
    for (qsizetype i = 0, last = utf8.size() - n; i <= last; ++i) {
        if (asciiFold(t[i]) != first)
            continue;
        qsizetype j = 1;
        while (j < n && asciiFold(t[i + j]) == q[j])
            ++j;
        if (j == n)
            return true;
    }
    return false;
}
