#pragma once

#include <QByteArray>

// A new RTF description file starts as exactly these bytes: an empty
// simplified-Chinese page in 宋体 at 10 points (the escaped bytes are 宋体 in
// code page 936). Files made by every earlier version begin the same way, so
// the bytes are fixed, three lines ended by a bare line feed and no trailing
// zero.
namespace RtfTemplate {

inline constexpr char kBytes[] =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\n"
    "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs20 \n"
    "\\par }\n";

inline constexpr qsizetype kSize = sizeof(kBytes) - 1;

inline QByteArray bytes() {
    return QByteArray::fromRawData(kBytes, kSize);
}

} // namespace RtfTemplate
