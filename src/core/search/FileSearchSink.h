#pragma once

#include "FileSearchRow.h"

#include <QString>

// Where a running file search puts what it finds. The engine calls it on
// its own thread; an implementation that shows things to the user passes
// them on to the GUI thread.
class FileSearchSink {
public:
    virtual ~FileSearchSink() = default;

    virtual void AddRow(const FileSearchRow& row) = 0;
    // After every searched file.
    virtual void TotalsChanged(const FileSearchTotals& totals) = 0;
    // The regular expression cannot be used; true to go on searching.
    virtual bool AskContinue(const QString& question) = 0;
    // A failure the user is told about (a database that cannot be read).
    virtual void Tell(const QString& text, const QString& caption) = 0;
    // Before each block of a file is read, just ahead of the look at the
    // stop flag: a search whose rows are reported on another thread lets
    // that thread catch up here, so that a stop set on a row of a long file
    // ends it soon after, as it would on one thread.
    virtual void aboutToReadBlock(qint64 fileBytesRead) { Q_UNUSED(fileBytesRead); }
};
