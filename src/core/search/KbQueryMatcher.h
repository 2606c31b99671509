#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The name and keyword rule of the knowledge-base search: a text matches
// when, lower-cased unit by unit, it contains the lower-cased query. Texts
// come as the stored UTF-8. When no character of the query has a spelling
// other than itself and, for an ASCII letter, its capital (so for Chinese
// text, digits and ASCII), the rule holds exactly on the bytes, with ASCII
// letters compared without case, and no text is decoded; otherwise each text
// is decoded and folded.
class KbQueryMatcher {
public:
    explicit KbQueryMatcher(const QString& query);

    bool Matches(QByteArrayView utf8) const;
    bool MatchesText(QStringView text) const;

    bool IsBytewise() const { return m_bytewise; }
    // The query folded as texts are compared against it, and its UTF-8.
    const QString& folded() const { return m_folded; }
    const QByteArray& foldedUtf8() const { return m_bytes; }

private:
    QString m_folded;
    QByteArray m_bytes; // UTF-8 of m_folded
    bool m_bytewise = true;
};
