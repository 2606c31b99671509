#pragma once

#include <QChar>

// Windows code page 1252, the "ANSI" charset of Western RTF fonts. Kept as our
// own table: it is the code page of most font runs in RTF files and a table
// lookup is far cheaper than a converter round trip per run.
namespace Cp1252 {

QChar toUnicode(uchar byte);

// The byte for a character, or 0 when the code page has none.
uchar fromUnicode(char32_t c);

} // namespace Cp1252
