#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstdint>
#include <cstring>

namespace TextCodec {

bool isAscii(QByteArrayView bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    // The file search asks this of every file's head: 32 bytes at a time.
    for (; end - p >= 32; p += 32) {
        std::uint64_t words[4];
        std::memcpy(words, p, sizeof words);
        if ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080u)
            return false;
    }
    for (; p < end; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    }
    return true;
}

bool isUtf8(QByteArrayView bytes, bool mayBeCut) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        // Text is mostly ASCII: pass eight such bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080u)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        // The second byte's range also refuses overlong forms, surrogates
        // and code points above U+10FFFF.
        int length;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        for (int i = 1; i < length; ++i) {
            if (p + i == end)
                return mayBeCut;
            const unsigned char c = p[i];
            if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF))
                return false;
        }
        p += length;
    }
    return true;
}

QString decode(QByteArrayView bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

QByteArray encode(QStringView text) {
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

} // namespace TextCodec
