#include "RtfTextDecoder.h"

#include "Cp1252.h"

#include <algorithm>

namespace {

const char* converterName(int codePage) {
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 874:
        return "windows-874";
    case 932:
        return "windows-31j";
    // GB18030 is a superset of the GBK that code page 936 writers produce.
    case 936:
        return "GB18030";
    case 949:
        return "windows-949";
    case 950:
        return "windows-950";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    case 54936:
        return "GB18030";
    case 65001:
        return "UTF-8";
    default:
        return nullptr;
    }
}

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes) {
        if (static_cast<uchar>(c) >= 0x80)
            return false;
    }
    return true;
}

QString decodeCp1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (char c : bytes)
        *d++ = Cp1252::toUnicode(static_cast<uchar>(c));
    return out;
}

// Code page 936 has the euro sign at 0x80, a byte GB18030 leaves undefined;
// a lone 0x80 (never a lead byte) becomes GB18030's own euro sequence.
QByteArray mendEuro(QByteArrayView bytes) {
    QByteArray out;
    out.reserve(bytes.size() + 2);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar c = static_cast<uchar>(bytes[i]);
        if (c == 0x80) {
            out.append("\xA2\xE3");
        } else if (c > 0x80 && c < 0xFF && i + 1 < bytes.size()) {
            const uchar next = static_cast<uchar>(bytes[i + 1]);
            const qsizetype length = next >= 0x30 && next <= 0x39 ? 4 : 2;
            const qsizetype take = std::min(length, bytes.size() - i);
            out.append(bytes.sliced(i, take));
            i += take - 1;
        } else {
            out.append(static_cast<char>(c));
        }
    }
    return out;
}

} // namespace

int RtfTextDecoder::codePageForCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return kSymbol;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0; // the document's code page
    }
}

QString RtfTextDecoder::decode(QByteArrayView bytes, int codePage) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (codePage == kSymbol) {
        // Symbol fonts put their bullet at 0xB7; elsewhere Latin glyphs are
        // the nearest readable stand-in.
        QString out = decodeCp1252(bytes);
        out.replace(QChar(0x00B7), QChar(0x2022));
        return out;
    }
    QStringDecoder* decoder = codePage == 1252 ? nullptr : decoderFor(codePage);
    if (!decoder)
        return decodeCp1252(bytes);
    if (codePage == 936 && bytes.contains('\x80'))
        return decoder->decode(mendEuro(bytes));
    return decoder->decode(bytes);
}

QStringDecoder* RtfTextDecoder::decoderFor(int codePage) {
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end()) {
        std::shared_ptr<QStringDecoder> decoder;
        if (const char* name = converterName(codePage)) {
            decoder = std::make_shared<QStringDecoder>(name, QStringConverter::Flag::Stateless);
            if (!decoder->isValid())
                decoder.reset();
        }
        it = m_decoders.insert(codePage, decoder);
    }
    return it->get();
}

QString RtfTextDecoder::unicodeText(int value) {
    const char32_t code = value < 0 ? char32_t(value + 65536) : char32_t(value);
    if (code > 0x10FFFF || (code < 0x20 && code != u'\t'))
        return {};
    return QString::fromUcs4(&code, 1);
}
