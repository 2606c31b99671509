#pragma once

#include <QString>
#include <QStringList>

// What a base and a program folder hold on disk, read the way a check after
// a crash or a full disk needs it.
namespace StoredState {

// "ok" when SQLite's integrity check passes, else what it or the opening
// reported. The file is opened as the program opens it.
QString IntegrityOf(const QString& databasePath);

// Every row of the base's three tables, one text per row, in key order.
QStringList RowsOf(const QString& databasePath);

// Every file and folder below the folder as "path sha1" ("path/" for a
// folder), sorted, so that two listings are equal only when every file is
// byte for byte the same. `ignored` names paths relative to the folder to
// leave out, with whatever lies below them.
QStringList Listing(const QString& folder, const QStringList& ignored = {});

} // namespace StoredState
