#pragma once

#include <QString>

// Looks at a database file before SQLite touches it. SQLite happily treats
// an empty file as an empty database and opens a read-only file read-only;
// a knowledge base must be neither, and a file that is not a database must
// be refused before anything (a journal, a WAL index) is written beside it.
class DatabaseFileCheck {
public:
    // Empty when the file looks like a writable SQLite database (or, in a
    // read-only place, a readable one), otherwise a short description of what
    // is wrong with it.
    static QString FaultOf(const QString& path, bool readOnlyPlace = false);
    // True when the file's folder cannot be written at all, as on a read-only
    // medium: the catalogue can only be read there, and only as a file that
    // nobody changes, since even a reader of a WAL catalogue writes its index.
    static bool IsReadOnlyPlace(const QString& path);
};
