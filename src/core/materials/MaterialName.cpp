#include "MaterialName.h"

namespace MaterialName {

bool IsForbidden(QChar c) {
    switch (c.unicode()) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        // A line break would split a line of the dock station file, and no
        // control character belongs in a file name.
        return c.category() == QChar::Other_Control;
    }
}

QString Clean(const QString& typed) {
    QString name = typed;
    for (QChar& c : name) {
        if (IsForbidden(c))
            c = QLatin1Char(' ');
    }
    return name.trimmed();
}

QString ProblemOf(const QString& cleaned) {
    if (cleaned.size() > kMaxLength)
        return QStringLiteral("资料名太长!");
    if (cleaned.isEmpty())
        return QStringLiteral("资料名不能为空!");
    return {};
}

} // namespace MaterialName
