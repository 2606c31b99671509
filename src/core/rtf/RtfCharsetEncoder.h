#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringEncoder>
#include <QStringView>

// The bytes a character has in the code page of an RTF font charset: what a
// reader that ignores \uN shows instead. Chinese fonts (charset 134) use GBK,
// Western ones (charset 0) code page 1252.
class RtfCharsetEncoder {
public:
    static constexpr int kWestern = 0;
    static constexpr int kSymbol = 2;
    static constexpr int kChinese = 134;

    // Empty when the charset has no bytes for the character.
    QByteArray bytes(char32_t c, int charset);

    // For text outside the body (font names, link targets): ASCII as is, the
    // charset's bytes as \'xx, anything else as \uN? (with \uc1 in force).
    void appendEscaped(QByteArray& out, QStringView text, int charset);

private:
    QByteArray gbk(char32_t c);

    QStringEncoder m_gb18030{"GB18030", QStringConverter::Flag::Stateless};
    QHash<char32_t, QByteArray> m_gbkCache; // a converter call per distinct character only
};
