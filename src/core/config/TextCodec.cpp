#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextCodec {

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
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
