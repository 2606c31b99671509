#pragma once

#include <QString>
#include <QStringList>

// The three tables of a knowledge base's "Keepsake.mdb", defined once. The
// declared types make the column texts read as they always have: ID and the
// numbers that statements write unquoted are integers, everything else
// (times included) is text, so a time reads back exactly as it was written.
class KnowledgeSchema {
public:
    // CREATE TABLE and CREATE INDEX statements, in order.
    static QStringList Statements();

    // Makes a new database file at path with the tables and the row
    // "000000" (the parent of the roots), in WAL mode. Refuses a path that
    // exists; on failure removes what it wrote. created is the creation time
    // of the row "000000".
    static bool CreateDatabaseFile(const QString& path, const QString& created,
                                   QString* error = nullptr);
};
