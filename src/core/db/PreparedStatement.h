#pragma once

#include <QByteArrayView>
#include <QString>

class Database;
struct sqlite3_stmt;

// One statement read row by row as SQLite gives it, for readers of many
// thousands of rows: a search looks at every name and keyword of a base, so
// it reads them as the stored UTF-8 and turns into text only what it lists,
// where a Recordset would make text of every cell. Failures go into the Database's
// error list, as every statement's do.
class PreparedStatement {
public:
    explicit PreparedStatement(Database& database) : m_database(database) {}
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    // Replaces any statement prepared before.
    bool Prepare(const QString& statement);
    // Ready to run again with new parameters.
    bool Reset();
    // Parameters count from 1.
    bool Bind(int index, qint64 value);
    bool Bind(int index, const QString& text);
    // Text already in UTF-8, stored as it is.
    bool BindUtf8(int index, QByteArrayView utf8);
    bool BindBlob(int index, QByteArrayView bytes);

    // The next row; false at the end and on a failure, which Failed tells.
    bool Next();
    bool Failed() const { return m_failed; }

    qint64 Int64(int column) const;
    // The stored text; "NULL" for a null, as a Recordset reads it.
    QByteArrayView Text(int column) const;
    // The stored bytes of a blob; valid until the next step.
    QByteArrayView Blob(int column) const;

private:
    bool check(int resultCode);

    Database& m_database;
    sqlite3_stmt* m_statement = nullptr;
    bool m_failed = false;
};
