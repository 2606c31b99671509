#pragma once

#include <QList>
#include <QString>

// One row of a file search as the result tree shows it: level 1 for a file
// or the summary, level 2 for a matching line under the last file.
struct FileSearchRow {
    int level = 1;
    QString text;
    bool operator==(const FileSearchRow&) const = default;
};

// The running totals of a file search, shown in the status bar.
struct FileSearchTotals {
    int LinesMatched = 0;
    int FilesMatched = 0;
    int FilesSearched = 0; // files that fit the types and were opened, counted before opening
    bool operator==(const FileSearchTotals&) const = default;
};
