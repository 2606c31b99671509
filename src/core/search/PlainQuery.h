#pragma once

#include "ByteFinder.h"

#include <QString>
#include <QStringView>

// A plain query made ready for searching files: the query as it is compared
// (folded unless case matters), and its anchor, the longest part whose bytes
// every matching spelling shares, in GB18030 and in UTF-8. Files are searched
// for the anchor's bytes without being decoded; only the lines where it turns
// up are decoded and searched exactly, so the bytes decide where to look and
// the text decides what matches.
class PlainQuery {
public:
    PlainQuery(const QString& query, bool matchCase, bool wholeWord);

    const QString& Compared() const { return m_compared; }
    bool MatchCase() const { return m_matchCase; }

    // The folded copy of a text to search, or the text itself when case
    // matters.
    QString Prepare(QStringView text) const;
    // The next match in a prepared text, at or after from; -1 when none.
    qsizetype Next(QStringView prepared, qsizetype from) const;

    // No match can hold a line feed, so lines may be searched one by one.
    bool FitsInLine() const { return !m_compared.contains(u'\n'); }
    const ByteFinder& Anchor(bool utf8) const { return utf8 ? m_utf8Anchor : m_anchor; }
    bool HasAnchor() const { return !m_anchor.IsEmpty(); }
    // The anchor holds a letter that a non-ASCII character folds to (k and
    // the Kelvin sign); lines holding such characters must be searched too.
    bool NeedsGuard() const { return m_needsGuard; }

private:
    QString m_compared;
    bool m_matchCase;
    bool m_wholeWord;
    ByteFinder m_anchor;
    ByteFinder m_utf8Anchor;
    bool m_needsGuard = false;
};
