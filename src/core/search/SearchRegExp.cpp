#include "SearchRegExp.h"

#include "CaseFold.h"

namespace {

// Escapes after which a match may hold a line feed: \n itself, the classes
// that contain it (\s \W \D \H \v \R \X \C and the properties), and every
// way of writing a character by its code.
bool escapeMayMatchLineFeed(QChar c) {
    switch (c.unicode()) {
    case u'n':
    case u's':
    case u'W':
    case u'D':
    case u'H':
    case u'v':
    case u'V':
    case u'R':
    case u'X':
    case u'C':
    case u'p':
    case u'P':
    case u'x':
    case u'u':
    case u'c':
    case u'o':
    case u'0':
    case u'e':
    case u'N':
    case u'Q':
    case u'E':
    case u'G':
    case u'Z':
    case u'z':
    case u'K':
        return true;
    default:
        return false;
    }
}

} // namespace

SearchRegExp::SearchRegExp(const QString& pattern, bool matchCase) {
    QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption;
    if (!matchCase)
        options |= QRegularExpression::CaseInsensitiveOption;
    m_regex.setPatternOptions(options);
    m_regex.setPattern(Translate(pattern));
    if (m_regex.isValid())
        m_regex.optimize();
    m_mayCrossLines = MayMatchLineFeed(pattern);
    if (m_regex.isValid() && !m_mayCrossLines) {
        m_pieces = RequiredPieces(pattern, matchCase);
        m_required = Longest(m_pieces);
    }
}

QString SearchRegExp::RequiredText(const QString& pattern, bool matchCase) {
    return Longest(RequiredPieces(pattern, matchCase));
}

QString SearchRegExp::Longest(const QStringList& pieces) {
    QString best;
    for (const QString& piece : pieces) {
        if (piece.size() > best.size())
            best = piece;
    }
    return best;
}

QStringList SearchRegExp::RequiredPieces(const QString& pattern, bool matchCase) {
    auto literal = [&](char16_t c) {
        if (QChar::isSurrogate(c) || c == 0xFFFD || c == u'\n')
            return false;
        if (matchCase || c < 0x80)
            return true;
        const QChar q(c);
        return q.toLower() == q && q.toUpper() == q && q.toCaseFolded() == q &&
               !CaseFold::HasForeignSpelling(c);
    };
    auto isQuantifier = [](QChar c) { return c == u'*' || c == u'?' || c == u'+' || c == u'{'; };
    QStringList pieces;
    QString run;
    auto endRun = [&] {
        if (!run.isEmpty())
            pieces.append(run);
        run.clear();
    };
    int depth = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && i + 1 < pattern.size()) {
            const QChar e = pattern[++i];
            const bool punct = e.unicode() < 0x80 && !e.isLetterOrNumber() && e != u'_';
            const bool optional =
                i + 1 < pattern.size() && isQuantifier(pattern[i + 1]) && pattern[i + 1] != u'+';
            if (depth == 0 && punct && literal(e.unicode()) && !optional)
                run += e;
            else
                endRun();
            continue;
        }
        if (c == u'[') {
            endRun();
            // Skip the class; a "]" right after "[" or "[^" is a member.
            ++i;
            if (i < pattern.size() && pattern[i] == u'^')
                ++i;
            if (i < pattern.size() && pattern[i] == u']')
                ++i;
            for (; i < pattern.size() && pattern[i] != u']'; ++i) {
                if (pattern[i] == u'\\')
                    ++i;
            }
            continue;
        }
        if (c == u'(') {
            endRun();
            ++depth;
            continue;
        }
        if (c == u')') {
            endRun();
            --depth;
            continue;
        }
        if (c == u'|') {
            if (depth == 0)
                return {}; // each branch would need its own text
            continue;
        }
        if (c == u'{') {
            // "{n}", "{n,}" or "{n,m}" repeats the unit before it, maybe
            // never; any other "{" is taken for a plain one. Either way no
            // text is claimed past it.
            const qsizetype close = pattern.indexOf(u'}', i);
            static const QRegularExpression counted(QStringLiteral("^\\{\\d+(,\\d*)?\\}"));
            if (close > 0 &&
                counted.match(QStringView(pattern).sliced(i, close - i + 1)).hasMatch())
                i = close;
            if (!run.isEmpty())
                run.chop(1);
            endRun();
            continue;
        }
        if (c == u'.' || c == u'^' || c == u'$' || isQuantifier(c)) {
            // "*" and "?" make the unit before them optional.
            if ((c == u'*' || c == u'?') && !run.isEmpty())
                run.chop(1);
            endRun();
            continue;
        }
        if (depth > 0)
            continue;
        if (!literal(c.unicode())) {
            endRun();
            continue;
        }
        run += c;
        if (i + 1 < pattern.size() && pattern[i + 1] == u'+') {
            endRun();
        }
    }
    endRun();
    return pieces;
}

QString SearchRegExp::ErrorText() const {
    return m_regex.isValid() ? QString() : m_regex.errorString();
}

QString SearchRegExp::ContinueQuestion() const {
    QString description = ErrorText();
    if (description.isEmpty())
        description = QStringLiteral("Error in regular expression.");
    return description + QStringLiteral(" Continue?");
}

QString SearchRegExp::Translate(const QString& pattern) {
    // The newline convention is fixed to a bare line feed, so "." matches a
    // carriage return whatever the library was built with.
    QString out = QStringLiteral("(*LF)");
    out.reserve(pattern.size() + 8);
    bool inClass = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\') {
            out += c;
            if (i + 1 < pattern.size())
                out += pattern[++i];
            continue;
        }
        if (inClass) {
            if (c == u']')
                inClass = false;
            out += c;
            continue;
        }
        if (c == u'[') {
            inClass = true;
            out += c;
            // A "]" right after "[" or "[^" is a member, not the end.
            if (i + 1 < pattern.size() && pattern[i + 1] == u'^')
                out += pattern[++i];
            if (i + 1 < pattern.size() && pattern[i + 1] == u']')
                out += pattern[++i];
            continue;
        }
        // PCRE's "$" also matches before a final line feed; the search's
        // only at the very end.
        if (c == u'$')
            out += QLatin1String("\\z");
        else
            out += c;
    }
    return out;
}

bool SearchRegExp::MayMatchLineFeed(const QString& pattern) {
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\n')
            return true;
        if (c == u'\\') {
            if (i + 1 >= pattern.size() || escapeMayMatchLineFeed(pattern[i + 1]) ||
                pattern[i + 1].isDigit() || pattern[i + 1] == u'\n')
                return true;
            ++i;
            continue;
        }
        if (c == u'[' && i + 1 < pattern.size() && pattern[i + 1] == u'^')
            return true;
        // Inline options such as (?s) or (?x) change what the rest means;
        // groups and lookarounds are harmless.
        if (c == u'(' && i + 1 < pattern.size() && pattern[i + 1] == u'?') {
            const QStringView rest = QStringView(pattern).mid(i + 2);
            if (!(rest.startsWith(u':') || rest.startsWith(u'=') || rest.startsWith(u'!') ||
                  rest.startsWith(QLatin1String("<=")) || rest.startsWith(QLatin1String("<!"))))
                return true;
        }
        if (c == u'(' && i + 1 < pattern.size() && pattern[i + 1] == u'*')
            return true;
    }
    return false;
}

QList<SearchRegExp::Match> SearchRegExp::Execute(QStringView text) const {
    QList<Match> matches;
    if (!m_regex.isValid())
        return matches;
    auto it = m_regex.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        matches.append({m.capturedStart(), m.capturedLength()});
    }
    return matches;
}
