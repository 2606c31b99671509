#pragma once

#include "FileSearchRow.h"

#include <QString>
#include <functional>

// The fixed texts of the file search: the header row the caller writes
// before the search starts, the summary row and the status-bar line.
namespace FileSearchText {

// nameOf gives the item name of a category code (the root's and the major's
// codes are derived from the scope). The path between the brackets is text
// for the eye, so its separator stays a backslash.
QString Header(const QString& query, const QString& scopeCode, const QString& baseName,
               const std::function<QString(const QString& code)>& nameOf);

QString Summary(int filesMatched);
QString Status(const FileSearchTotals& totals);

} // namespace FileSearchText
