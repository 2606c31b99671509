#include "PlainQuery.h"

#include "CaseFold.h"
#include "FindWord.h"
#include "config/TextCodec.h"

PlainQuery::PlainQuery(const QString& query, bool matchCase, bool wholeWord)
    : m_compared(matchCase ? query : CaseFold::Folded(query)), m_matchCase(matchCase),
      m_wholeWord(wholeWord) {
    // A unit may stand in the anchor when its bytes are the same in every
    // spelling that folds to it, up to the case of ASCII letters. U+FFFD is
    // what undecodable bytes become, so no byte string stands for it; a lone
    // surrogate has no bytes at all.
    const QString& q = m_compared;
    auto usable = [&](qsizetype i) -> qsizetype { // units taken at i, 0 when none
        const char16_t c = q[i].unicode();
        if (QChar::isHighSurrogate(c))
            return (i + 1 < q.size() && QChar::isLowSurrogate(q[i + 1].unicode())) ? 2 : 0;
        if (QChar::isLowSurrogate(c) || c == 0xFFFD || c == u'\n' || c == 0)
            return 0;
        if (matchCase || c < 0x80 || !CaseFold::HasForeignSpelling(c))
            return 1;
        return 0;
    };
    qsizetype bestStart = 0, bestLength = 0;
    for (qsizetype i = 0; i < q.size();) {
        qsizetype j = i;
        for (qsizetype step; j < q.size() && (step = usable(j)) > 0;)
            j += step;
        if (j - i > bestLength) {
            bestStart = i;
            bestLength = j - i;
        }
        i = j + (j < q.size() ? 1 : 0);
    }
    if (bestLength == 0)
        return;
    const QStringView anchor = QStringView(q).mid(bestStart, bestLength);
    m_anchor = ByteFinder(TextCodec::encode(anchor), !matchCase);
    m_utf8Anchor = ByteFinder(anchor.toUtf8(), !matchCase);
    if (!matchCase) {
        for (QChar c : anchor)
            m_needsGuard = m_needsGuard || CaseFold::HasNonAsciiSpelling(c.unicode());
    }
}

QString PlainQuery::Prepare(QStringView text) const {
    return m_matchCase ? text.toString() : CaseFold::Folded(text);
}

qsizetype PlainQuery::Next(QStringView prepared, qsizetype from) const {
    return FindWord(prepared, m_compared, from, m_wholeWord);
}
