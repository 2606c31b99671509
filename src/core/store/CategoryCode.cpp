#include "CategoryCode.h"

namespace {

const QLatin1String kDigits("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QLatin1String kZero("00");

int valueOf(QChar c) {
    return c.unicode() < 128 ? int(kDigits.indexOf(c)) : -1;
}

} // namespace

namespace CategoryCode {

Level LevelOf(const QString& code) {
    if (code.size() != 6)
        return Level::Invalid;
    if (QStringView(code).left(2) == kZero)
        return Level::WholeBase;
    if (QStringView(code).mid(2, 2) == kZero)
        return Level::Root;
    if (QStringView(code).right(2) == kZero)
        return Level::Major;
    return Level::Minor;
}

bool IsWellFormed(const QString& code) {
    if (code.size() != 6)
        return false;
    for (QChar c : code)
        if (valueOf(c) < 0)
            return false;
    bool zeroSeen = false;
    for (int i = 0; i < 6; i += 2) {
        const bool zero = QStringView(code).mid(i, 2) == kZero;
        if (zeroSeen && !zero)
            return false;
        zeroSeen = zeroSeen || zero;
    }
    return true;
}

QString NextSegment(const QString& segment) {
    const QString full = QStringLiteral("ZZ");
    if (segment.size() != 2)
        return full;
    const int high = valueOf(segment.at(0));
    const int low = valueOf(segment.at(1));
    if (high < 0 || low < 0)
        return full;
    const int base = int(kDigits.size());
    const int next = (high * base + low + 1) % (base * base);
    return QString(kDigits.at(next / base)) + kDigits.at(next % base);
}

QString FirstFreeSegment(const QStringList& sortedSegments) {
    QString expected = QStringLiteral("01");
    for (const QString& segment : sortedSegments) {
        if (segment == kZero || segment < expected)
            continue;
        if (segment != expected)
            break;
        expected = NextSegment(expected);
        if (expected == kZero)
            break;
    }
    return expected;
}

QString SegmentOf(const QString& code, Level childLevel) {
    switch (childLevel) {
    case Level::Root:
        return code.mid(0, 2);
    case Level::Major:
        return code.mid(2, 2);
    case Level::Minor:
        return code.mid(4, 2);
    default:
        return {};
    }
}

QString ChildCode(const QString& parent, const QString& segment) {
    switch (LevelOf(parent)) {
    case Level::WholeBase:
        return segment + QLatin1String("0000");
    case Level::Root:
        return parent.left(2) + segment + kZero;
    case Level::Major:
        return parent.left(4) + segment;
    default:
        return {};
    }
}

QString MaterialFolder(const QString& code, const QString& materialId) {
    const QChar slash(QLatin1Char('/'));
    return code.mid(0, 2) + slash + code.mid(2, 2) + slash + code.mid(4, 2) + slash + materialId +
           slash;
}

QString SharedPrefix(const QString& code) {
    switch (LevelOf(code)) {
    case Level::Root:
        return code.left(2);
    case Level::Major:
        return code.left(4);
    default:
        return code;
    }
}

QString ParentOf(const QString& code) {
    switch (LevelOf(code)) {
    case Level::Major:
        return code.left(2) + QStringLiteral("0000");
    case Level::Minor:
        return code.left(4) + QStringLiteral("00");
    default:
        return kWholeBase;
    }
}

} // namespace CategoryCode
