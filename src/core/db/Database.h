#pragma once

#include <QList>
#include <QString>

struct sqlite3;

// The connection to one knowledge base's database file. Every SQLite failure
// is turned into a result here and kept for GetErrorText, so no caller ever
// sees a raw error code. A connection is used by one thread at a time; a
// worker thread opens a Database of its own on the same file.
class Database {
public:
    struct Error {
        QString description;
        QString state;
        int native = 0;
        QString source;
    };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Makes a new, empty database file in WAL mode for Open to take; refuses
    // a path that exists. On failure nothing is left and error says why.
    static bool CreateEmptyFile(const QString& path, QString* error = nullptr);
    // Removes a database file with the files SQLite keeps beside it.
    static void RemoveFile(const QString& path);

    // Opens an existing database file for reading and writing; never creates
    // one. A missing, empty, truncated, read-only, locked or foreign file
    // fails without anything being written, and so does an empty path.
    // Opening an open Database closes the old connection first.
    bool Open(const QString& databasePath);
    // False when there was no open connection.
    bool Close();
    bool IsOpen() const { return m_handle != nullptr; }
    // True when the file lies where nothing can be written (a read-only
    // medium): it was opened for reading only, and every write fails.
    bool IsReadOnly() const { return m_handle && m_readOnly; }

    // Each error of the last failure as
    // "Description: %s\r\n\r\nState: %s, Native: %d, Source: %s\r\n".
    QString GetErrorText() const;
    const QList<Error>& Errors() const { return m_errors; }

    // The absolute path of the open file, empty when closed.
    const QString& FilePath() const { return m_path; }

    // Transactions nest: the outermost one is a real transaction that takes
    // the write lock at once (so it cannot fail half-way for lack of it), the
    // inner ones are savepoints. Prefer the Transaction guard.
    bool BeginTransaction();
    bool CommitTransaction();
    bool RollbackTransaction();
    int TransactionDepth() const { return m_transactionDepth; }

    // For Recordset: the raw connection and the error list it reports into.
    sqlite3* Handle() const { return m_handle; }
    void ReportError(const Error& error);
    void ReportSqliteError(int resultCode);

    // How long a statement waits for another connection's lock before it
    // fails. A reader under WAL rarely waits at all; a writer may wait for
    // the other connection's transaction to end.
    static constexpr int kBusyTimeoutMs = 5000;
    // Opening waits less: a file another program keeps locked should be
    // reported promptly.
    static constexpr int kOpenBusyTimeoutMs = 1500;

private:
    bool execute(const QString& sql);

    sqlite3* m_handle = nullptr;
    QString m_path;
    QList<Error> m_errors;
    int m_transactionDepth = 0;
    bool m_readOnly = false;
};
