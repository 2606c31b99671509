#pragma once

#include <QString>
#include <QStringView>

// The text of one matching line in the result tree: "[%d行] " followed by up
// to 80 units of the line before the match, the match as it stands in the
// file, and up to 80 units of the line after it. A carriage return that ends
// the line is left out; nothing else of the line is.
namespace LineRow {

inline constexpr qsizetype kContext = 80;

// Counts the line feeds before pos itself: fine for one row, quadratic for
// many (use the overload with a known line number then).
QString Format(QStringView text, qsizetype pos, qsizetype length);

// lineNumber is the 1-based number of the line that holds pos.
QString Format(QStringView text, qsizetype pos, qsizetype length, qint64 lineNumber);

} // namespace LineRow
