#pragma once

#include <QStringView>

// Reads a number field of a settings file the way the files have always been
// read: leading blanks are skipped, an optional sign and the digits that follow
// count, anything else reads as 0 ("12ab" is 12, "ab" is 0). The sign is kept
// because the writers write -1 for "no start base", which must read back as -1.
// Values beyond the range of int are clamped.
int LeadingInt(QStringView text);
