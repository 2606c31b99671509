#include "RtfFontList.h"

#include "RtfCharsetEncoder.h"

#include <QStringList>

namespace {

bool isChineseFamily(const QString& family) {
    for (QChar c : family) {
        if (c.unicode() >= 0x2E80)
            return true; // a name in CJK characters, such as 宋体 or 微软雅黑
    }
    static const QStringList prefixes = {
        QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),
        QStringLiteral("SimHei"),
        QStringLiteral("KaiTi"),
        QStringLiteral("FangSong"),
        QStringLiteral("Microsoft YaHei"),
        QStringLiteral("Microsoft JhengHei"),
        QStringLiteral("DengXian"),
        QStringLiteral("MingLiU"),
        QStringLiteral("PMingLiU"),
        QStringLiteral("STSong"),
        QStringLiteral("STHeiti"),
        QStringLiteral("STKaiti"),
        QStringLiteral("STFangsong"),
        QStringLiteral("YouYuan"),
        QStringLiteral("LiSu"),
        QStringLiteral("Noto Sans CJK"),
        QStringLiteral("Noto Serif CJK"),
        QStringLiteral("Noto Sans SC"),
        QStringLiteral("Noto Serif SC"),
        QStringLiteral("Source Han"),
        QStringLiteral("WenQuanYi"),
        QStringLiteral("AR PL"),
        QStringLiteral("Droid Sans Fallback"),
    };
    for (const QString& prefix : prefixes) {
        if (family.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

int RtfFontList::charsetFor(const QString& family) {
    return isChineseFamily(family) ? RtfCharsetEncoder::kChinese : RtfCharsetEncoder::kWestern;
}

int RtfFontList::index(const QString& family, int charset) {
    // A ';' would end the entry and control characters are not written, so
    // names that differ only in those are one entry: as two, they would read
    // back as one font and the next save would write another table.
    QString name = family;
    name.removeIf([](QChar c) { return c == u';' || c.unicode() < 0x20; });
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).charset == charset && m_entries.at(i).family == name)
            return int(i);
    }
    m_entries.append({name, charset});
    return int(m_entries.size()) - 1;
}

int RtfFontList::charsetOf(int index) const {
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).charset
                                                  : RtfCharsetEncoder::kWestern;
}

QString RtfFontList::familyAt(int index) const {
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).family : QString();
}

QByteArray RtfFontList::table(RtfCharsetEncoder& encoder) const {
    QByteArray out = "{\\fonttbl";
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries.at(i);
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" + QByteArray::number(e.charset) +
               ' ';
        encoder.appendEscaped(out, e.family, e.charset);
        out += ";}";
    }
    out += '}';
    return out;
}
