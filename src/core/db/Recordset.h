#pragma once

#include "FieldText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantList>

class Database;

// The result of one statement, read forward and as text. Open runs the
// statement to the end and keeps the rows, so the statement never holds a
// read lock while the caller works through them, and every failure (a busy
// file, a damaged page) shows up as Open's false instead of half-way through.
// Rows are kept as typed values over one text buffer and turned into text
// only when read: a tree fill reads tens of thousands of cells, and a heap
// string per cell made up front costs more than the query.
class Recordset {
public:
    Recordset() = default;
    explicit Recordset(Database* database) : m_database(database) {}
    ~Recordset() { Close(); }
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void SetDatabase(Database* database) { m_database = database; }

    // Runs one SQL statement. Every "?" in it takes the next of params, so
    // text typed by the user is never part of the statement (a QString binds
    // as text, integers and bool as integers, double as real, a null QVariant
    // as NULL). False when there is no open database, the text holds more or
    // less than one statement, the parameters do not fit, or SQLite fails;
    // the reason is then in the Database's GetErrorText. Every result is
    // static and read forward.
    bool Open(const QString& statement, const QVariantList& params = {});
    bool IsOpen() const { return m_open; }
    const QString& Statement() const { return m_statement; }

    // True past the last row, and when not open.
    bool IsEOF() const { return !m_open || m_position >= m_rowCount; }
    // False when not open or already past the last row.
    bool MoveNext();
    int GetFieldCount() const { return m_open ? int(m_names.size()) : 0; }
    // The column's value as text (see FieldText). False, with out untouched,
    // for an index outside the columns, a closed result or a position past
    // the last row.
    bool GetValueText(int index, QString& out) const;
    QString GetFieldName(int index) const;
    // Rows changed by an insert, update or delete.
    int RowsAffected() const { return m_rowsAffected; }
    // Number of rows of the result (static results know it up front).
    int GetRecordCount() const { return m_open ? int(m_rowCount) : -1; }
    void Close();

private:
    struct Cell {
        enum Type : quint8 { Null, Integer, Real, Text, Blob };
        Type type = Null;
        qsizetype length = 0; // bytes of text in m_text
        union {
            qint64 integer = 0;
            double real;
            qsizetype offset; // of the text in m_text
        };
    };

    bool fail(int resultCode);

    Database* m_database = nullptr;
    QString m_statement;
    bool m_open = false;
    QStringList m_names;
    QList<FieldText::Kind> m_kinds;
    QList<Cell> m_cells; // row after row
    QByteArray m_text;   // UTF-8 of the text cells
    qsizetype m_rowCount = 0;
    qsizetype m_position = 0;
    int m_rowsAffected = 0;
};
