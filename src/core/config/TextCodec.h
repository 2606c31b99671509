#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit files of the program (settings files, exported trees, searched
// files) are GB18030, a superset of the GBK that Chinese Windows systems wrote,
// so old files read unchanged and no character is lost on writing.
namespace TextCodec {

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);

// True when every byte is below 0x80, where decoding is a plain widening.
bool isAscii(QByteArrayView bytes);

// True when the bytes are well-formed UTF-8 (plain ASCII included). With
// mayBeCut, a sequence begun in the last bytes counts as good: the bytes are
// the head of a file that goes on.
bool isUtf8(QByteArrayView bytes, bool mayBeCut = false);

// The one choice between UTF-8 and GB18030 that the editor and the file search
// share: true when the bytes are well-formed UTF-8 and, where they are also
// GB18030, read more plausibly as UTF-8. Plain ASCII counts as UTF-8.
bool readsAsUtf8(QByteArrayView bytes, bool mayBeCut = false);

} // namespace TextCodec
