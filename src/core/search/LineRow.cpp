#include "LineRow.h"

namespace LineRow {

QString Format(QStringView text, qsizetype pos, qsizetype length) {
    return Format(text, pos, length, 1 + text.first(pos).count(u'\n'));
}

QString Format(QStringView text, qsizetype pos, qsizetype length, qint64 lineNumber) {
    const char16_t* s = text.utf16();
    const qsizetype size = text.size();
    const qsizetype end = pos + length;

    qsizetype begin = pos;
    while (begin > 0 && pos - begin < kContext && s[begin - 1] != u'\n')
        --begin;
    // A window that would start in the middle of a surrogate pair starts
    // after it instead.
    if (begin < pos && QChar::isLowSurrogate(s[begin]))
        ++begin;

    qsizetype stop = end;
    while (stop < size && stop - end < kContext && s[stop] != u'\n')
        ++stop;
    const bool atLineEnd = stop == size || s[stop] == u'\n';
    if (atLineEnd && stop > end && s[stop - 1] == u'\r')
        --stop;
    if (stop > end && QChar::isHighSurrogate(s[stop - 1]))
        --stop;

    QString row;
    row.reserve(16 + (stop - begin));
    row += QLatin1Char('[');
    row += QString::number(lineNumber);
    row += QStringLiteral("行] ");
    row += text.sliced(begin, stop - begin);
    return row;
}

} // namespace LineRow
