#pragma once

#include <QString>
#include <QStringView>

// The case folding of the plain file search: one UTF-16 unit at a time, so a
// folded text keeps the length and positions of the original and a match in
// the folded copy is a match at the same place in the file's text. Letters
// fold by their simple Unicode lower case; surrogates stay as they are.
namespace CaseFold {

inline char16_t Fold(char16_t c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c | 0x20) : c;
    return QChar::toLower(c);
}

QString Folded(QStringView text);

// True when some unit other than c itself and the capital of an ASCII letter
// c folds to c: then the bytes of c in a file do not stand for every
// spelling of it, and a byte search for it could miss a match.
bool HasForeignSpelling(char16_t c);

// True when some non-ASCII unit folds to c (the Kelvin sign to k). Files
// rarely hold one, so a byte search for c stays sound when it also looks at
// the lines that hold such a unit.
bool HasNonAsciiSpelling(char16_t c);

} // namespace CaseFold
