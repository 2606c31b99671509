#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QStringView>

// The regular expression of a file search. The syntax is PCRE's as
// QRegularExpression takes it, with the meanings the search has always had:
// "^" and "$" match only at the start and the end of the whole text (never
// at line ends), "." matches anything but a line feed (a carriage return
// too), matching is global, left to right and without overlaps, and
// positions count UTF-16 units.
class SearchRegExp {
public:
    struct Match {
        qsizetype start = 0;
        qsizetype length = 0;
        bool operator==(const Match&) const = default;
    };

    SearchRegExp(const QString& pattern, bool matchCase);

    bool IsValid() const { return m_regex.isValid(); }
    // The engine's description of what is wrong with the pattern.
    QString ErrorText() const;
    // What the user is asked when the pattern is wrong: the description and
    // " Continue?".
    QString ContinueQuestion() const;

    // False only when no match can hold a line feed, so that every match lies
    // within one line and the text may be searched a run of whole lines at a
    // time. Errs towards true.
    bool MayMatchAcrossLines() const { return m_mayCrossLines; }

    // A text that every match holds, taken from the pattern's top level
    // (empty when there is none or the pattern is beyond this simple
    // reading). With case ignored it holds only characters whose every
    // spelling has the same GB18030 bytes up to the case of ASCII letters, so
    // the files' bytes can be searched for it.
    const QString& RequiredText() const { return m_required; }
    static QString RequiredText(const QString& pattern, bool matchCase);

    // Every text of the pattern's top level that a match holds, in the order
    // a match holds them and without overlap, under the same reading as
    // RequiredText (which is the longest of them). A line without all of
    // them in this order holds no match.
    const QStringList& RequiredPieces() const { return m_pieces; }
    static QStringList RequiredPieces(const QString& pattern, bool matchCase);

    // Every match in the whole text.
    QList<Match> Execute(QStringView text) const;

    const QRegularExpression& Regex() const { return m_regex; }

    // The pattern as handed to the engine ("$" made to mean the end of the
    // text only).
    static QString Translate(const QString& pattern);
    static bool MayMatchLineFeed(const QString& pattern);

private:
    static QString Longest(const QStringList& pieces);

    QRegularExpression m_regex;
    bool m_mayCrossLines = true;
    QStringList m_pieces;
    QString m_required;
};
