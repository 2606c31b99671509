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
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).charset == charset && m_entries.at(i).family == family)
            return int(i);
    }
    m_entries.append({family, charset});
    return int(m_entries.size()) - 1;
}

int RtfFontList::charsetOf(int index) const {
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).charset
                                                  : RtfCharsetEncoder::kWestern;
}

QByteArray RtfFontList::table(RtfCharsetEncoder& encoder) const {
    QByteArray out = "{\\fonttbl";
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries.at(i);
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" + QByteArray::number(e.charset) +
               ' ';
        QString name = e.family;
        name.remove(u';'); // ends an entry
        encoder.appendEscaped(out, name, e.charset);
        out += ";}";
    }
    out += '}';
    return out;
}
