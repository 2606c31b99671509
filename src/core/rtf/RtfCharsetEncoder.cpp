#include "RtfCharsetEncoder.h"

#include "Cp1252.h"

QByteArray RtfCharsetEncoder::bytes(char32_t c, int charset) {
    if (c < 0x80)
        return QByteArray(1, char(c));
    if (charset == kChinese)
        return gbk(c);
    if (charset == kWestern) {
        if (const uchar b = Cp1252::fromUnicode(c))
            return QByteArray(1, char(b));
    }
    return {};
}

QByteArray RtfCharsetEncoder::gbk(char32_t c) {
    if (c == 0x20AC)
        return QByteArrayLiteral("\x80"); // where code page 936 keeps the euro sign
    const auto it = m_gbkCache.constFind(c);
    if (it != m_gbkCache.constEnd())
        return *it;
    const QByteArray encoded = m_gb18030.encode(QString::fromUcs4(&c, 1));
    // Four-byte sequences are GB18030's own; GBK readers know two-byte ones only.
    const QByteArray result = encoded.size() == 2 ? encoded : QByteArray();
    m_gbkCache.insert(c, result);
    return result;
}

void RtfCharsetEncoder::appendEscaped(QByteArray& out, QStringView text, int charset) {
    for (const char32_t c : text.toUcs4()) {
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x80) {
            out += char(c);
        } else if (c < 0x20) {
            continue;
        } else if (const QByteArray b = bytes(c, charset); !b.isEmpty()) {
            for (char byte : b)
                out += "\\'" + QByteArray::number(uchar(byte), 16).rightJustified(2, '0');
        } else {
            const QString units = QString::fromUcs4(&c, 1);
            for (QChar unit : units)
                out += "\\u" + QByteArray::number(qint16(unit.unicode())) + '?';
        }
    }
}
