#pragma once

#include <QString>
#include <optional>

// The fixed texts of the knowledge-base search: the header row written
// before the search starts, one row per material found and the count line
// that closes the list and goes to the status bar.
namespace KbSearchText {

// Empty for a kind outside 1..7.
QString Header(int kind, const QString& query);
// "[17\t] name": the id, a tab inside the brackets, then the name.
QString Row(const QString& materialId, const QString& name);
// The same row from the id and the stored UTF-8 of the name, made in one
// piece: a search from the index lists tens of thousands of them.
QString Row(qint64 materialId, QByteArrayView name);
QString Count(qint64 found);

// The material id of a result row: the text between "[" and the character
// before "]". Nothing for the header and count rows, which do not start
// with "[".
std::optional<QString> MaterialIdOf(const QString& row);

} // namespace KbSearchText
