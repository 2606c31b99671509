#include "Database.h"

#include "DatabaseFileCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>

namespace {

// An SQL state in the manner of ODBC drivers, so that the error text keeps
// the fields callers have always logged.
QString sqlStateOf(int code) {
    switch (code & 0xff) {
    case SQLITE_ERROR:
        return QStringLiteral("42000");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("23000");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("HYT00");
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("08001");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("42501");
    default:
        return QStringLiteral("HY000");
    }
}

QString sourceName() {
    return QStringLiteral("SQLite ") + QLatin1String(sqlite3_libversion());
}

Database::Error errorOf(sqlite3* db, int code) {
    const QString text =
        db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
    const int native = db ? sqlite3_extended_errcode(db) : code;
    return {text, sqlStateOf(native), native, sourceName()};
}

// Runs one statement and gives the first column of its first row.
int firstValue(sqlite3* db, const char* sql, QString* value) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        if (value)
            *value =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        rc = SQLITE_OK;
    } else if (rc == SQLITE_DONE) {
        rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return rc;
}

} // namespace

Database::~Database() {
    Close();
}

bool Database::CreateEmptyFile(const QString& path, QString* error) {
    auto failWith = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (QFileInfo::exists(path))
        return failWith(QStringLiteral("'%1' already exists.").arg(path));
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    // Setting the journal mode writes the file's first page, so what is
    // made here is a database Open recognises, not an empty file.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    const int closed = sqlite3_close(db);
    if (rc != SQLITE_OK || closed != SQLITE_OK) {
        RemoveFile(path);
        return failWith(QStringLiteral("Cannot make '%1': %2").arg(path, message));
    }
    return true;
}

void Database::RemoveFile(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

bool Database::Open(const QString& databasePath) {
    Close();
    m_errors.clear();

    // An empty path names no file at all, which is worth saying as such
    // rather than as whatever fault an empty name resolves to. The
    // description is the one the error log has always shown for it.
    if (databasePath.isEmpty()) {
        ReportError({QStringLiteral("The connection text names no database file."),
                     sqlStateOf(SQLITE_CANTOPEN), SQLITE_CANTOPEN, sourceName()});
        return false;
    }
    const QString absolute = QFileInfo(databasePath).absoluteFilePath();
    const bool readOnly = DatabaseFileCheck::IsReadOnlyPlace(absolute);
    const QString fault = DatabaseFileCheck::FaultOf(absolute, readOnly);
    if (!fault.isEmpty()) {
        ReportError({fault, sqlStateOf(SQLITE_CANTOPEN), SQLITE_CANTOPEN, sourceName()});
        return false;
    }

    // Never SQLITE_OPEN_CREATE: a missing file is an error, not a new base.
    sqlite3* db = nullptr;
    // In a read-only place the file is opened as one that cannot change:
    // SQLite then neither locks it nor looks for a WAL index to write.
    const QByteArray name =
        readOnly ? QUrl::fromLocalFile(absolute).toEncoded() + "?immutable=1" : absolute.toUtf8();
    const int flags = readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(name.constData(), &db, flags, nullptr);
    auto fail = [&](int code) {
        ReportError(errorOf(db, code));
        sqlite3_close_v2(db);
        return false;
    };
    if (rc != SQLITE_OK)
        return fail(rc);
    sqlite3_extended_result_codes(db, 1);
    if (!readOnly && sqlite3_db_readonly(db, "main") == 1)
        return fail(SQLITE_READONLY);
    sqlite3_busy_timeout(db, kOpenBusyTimeoutMs);

    // SQLite reads the file lazily; reading the schema now makes a damaged,
    // foreign or locked file fail here rather than at the first query.
    rc = firstValue(db, "select count(*) from sqlite_master", nullptr);
    if (rc != SQLITE_OK)
        return fail(rc);
    // WAL lets the search worker read on its own connection while this one
    // writes. The template is already in WAL mode, so normally nothing is
    // written here.
    QString mode = QStringLiteral("wal");
    if (!readOnly)
        rc = firstValue(db, "PRAGMA journal_mode=WAL", &mode);
    if (rc != SQLITE_OK)
        return fail(rc);
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        ReportError({QStringLiteral("The database cannot use a write-ahead log (journal mode "
                                    "stays '%1').")
                         .arg(mode),
                     sqlStateOf(SQLITE_CANTOPEN), SQLITE_CANTOPEN, sourceName()});
        sqlite3_close_v2(db);
        return false;
    }
    // Category codes are exact identifiers: "like" must agree with "=" on
    // case, and a case-sensitive "like" lets a prefix pattern use the index.
    // WAL with NORMAL sync loses at most the last commits on power loss,
    // never the file.
    rc = firstValue(db, "PRAGMA case_sensitive_like=ON", nullptr);
    if (rc == SQLITE_OK)
        rc = firstValue(db, "PRAGMA synchronous=NORMAL", nullptr);
    if (rc != SQLITE_OK)
        return fail(rc);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);

    m_handle = db;
    m_path = absolute;
    m_readOnly = readOnly;
    return true;
}

bool Database::Close() {
    if (!m_handle)
        return false;
    // An unfinished transaction is rolled back by SQLite on close.
    sqlite3_close_v2(m_handle);
    m_handle = nullptr;
    m_path.clear();
    m_transactionDepth = 0;
    return true;
}

QString Database::GetErrorText() const {
    QString text;
    for (const Error& e : m_errors)
        text += QString::asprintf("Description: %s\r\n\r\nState: %s, Native: %d, Source: %s\r\n",
                                  e.description.toUtf8().constData(), e.state.toUtf8().constData(),
                                  e.native, e.source.toUtf8().constData());
    return text;
}

void Database::ReportError(const Error& error) {
    // Like the error list of the connection objects this replaces: a new
    // failure replaces the errors of the one before.
    m_errors = {error};
}

void Database::ReportSqliteError(int resultCode) {
    ReportError(errorOf(m_handle, resultCode));
}

bool Database::execute(const QString& sql) {
    if (!m_handle)
        return false;
    const int rc = sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        ReportSqliteError(rc);
        return false;
    }
    return true;
}

bool Database::BeginTransaction() {
    if (!m_handle)
        return false;
    // An immutable file takes no lock, so "BEGIN IMMEDIATE" would succeed and
    // promise writes that must all fail.
    if (m_readOnly) {
        ReportSqliteError(SQLITE_READONLY);
        return false;
    }
    const bool ok = m_transactionDepth == 0
                        ? execute(QStringLiteral("BEGIN IMMEDIATE"))
                        : execute(QStringLiteral("SAVEPOINT keepsake_%1").arg(m_transactionDepth));
    if (ok)
        ++m_transactionDepth;
    return ok;
}

bool Database::CommitTransaction() {
    if (!m_handle || m_transactionDepth == 0)
        return false;
    if (m_transactionDepth == 1) {
        if (!execute(QStringLiteral("COMMIT"))) {
            // A failed COMMIT (say, the disk is full) may already have ended
            // the transaction; otherwise it stays open for a rollback.
            if (sqlite3_get_autocommit(m_handle))
                m_transactionDepth = 0;
            return false;
        }
    } else if (!execute(QStringLiteral("RELEASE keepsake_%1").arg(m_transactionDepth - 1))) {
        return false;
    }
    --m_transactionDepth;
    return true;
}

bool Database::RollbackTransaction() {
    if (!m_handle || m_transactionDepth == 0)
        return false;
    if (sqlite3_get_autocommit(m_handle)) {
        // SQLite already rolled back the whole transaction after an error.
        m_transactionDepth = 0;
        return true;
    }
    bool ok;
    if (m_transactionDepth == 1) {
        ok = execute(QStringLiteral("ROLLBACK"));
    } else {
        const QString name = QStringLiteral("keepsake_%1").arg(m_transactionDepth - 1);
        ok = execute(QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(name));
    }
    --m_transactionDepth;
    return ok;
}
