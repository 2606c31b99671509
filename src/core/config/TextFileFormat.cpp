#include "TextFileFormat.h"

#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QStringConverter::Encoding converterEncoding(TextFileFormat::Encoding encoding) {
    switch (encoding) {
    case TextFileFormat::Encoding::Utf16LE:
        return QStringConverter::Utf16LE;
    case TextFileFormat::Encoding::Utf16BE:
        return QStringConverter::Utf16BE;
    default:
        return QStringConverter::Utf8;
    }
}

QByteArrayView bom(TextFileFormat::Encoding encoding) {
    switch (encoding) {
    case TextFileFormat::Encoding::Utf8Bom:
        return "\xEF\xBB\xBF";
    case TextFileFormat::Encoding::Utf16LE:
        return "\xFF\xFE";
    case TextFileFormat::Encoding::Utf16BE:
        return "\xFE\xFF";
    default:
        return {};
    }
}

} // namespace

TextFileFormat TextFileFormat::detect(QByteArrayView bytes) {
    TextFileFormat format;
    if (bytes.startsWith(bom(Encoding::Utf8Bom)))
        format.m_encoding = Encoding::Utf8Bom;
    else if (bytes.startsWith(bom(Encoding::Utf16LE)))
        format.m_encoding = Encoding::Utf16LE;
    else if (bytes.startsWith(bom(Encoding::Utf16BE)))
        format.m_encoding = Encoding::Utf16BE;
    else if (TextCodec::readsAsUtf8(bytes))
        format.m_encoding = Encoding::Utf8;
    else
        format.m_encoding = Encoding::Gb18030;

    // Line ends are found in the decoded text, so a UTF-16 file is read right.
    const QString text = format.decode(bytes);
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    if (end < text.size()) {
        if (text[end] == u'\n')
            format.m_lineEnd = LineEnd::Lf;
        else if (end + 1 < text.size() && text[end + 1] == u'\n')
            format.m_lineEnd = LineEnd::CrLf;
        else
            format.m_lineEnd = LineEnd::Cr;
    }
    return format;
}

QString TextFileFormat::decode(QByteArrayView bytes) const {
    const QByteArrayView mark = bom(m_encoding);
    if (!mark.isEmpty() && bytes.startsWith(mark))
        bytes = bytes.sliced(mark.size());
    if (m_encoding == Encoding::Gb18030) {
        QStringDecoder decoder("GB18030");
        return decoder.decode(bytes);
    }
    QStringDecoder decoder(converterEncoding(m_encoding), QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

std::optional<QByteArray> TextFileFormat::encode(QStringView text) const {
    QByteArray bytes = bom(m_encoding).toByteArray();
    if (m_encoding == Encoding::Gb18030) {
        QStringEncoder encoder("GB18030");
        bytes += encoder.encode(text);
        if (encoder.hasError())
            return std::nullopt;
        return bytes;
    }
    QStringEncoder encoder(converterEncoding(m_encoding), QStringConverter::Flag::Stateless);
    bytes += encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

bool TextFileFormat::roundTrips(QByteArrayView bytes) const {
    const std::optional<QByteArray> again = encode(decode(bytes));
    return again && *again == bytes;
}
