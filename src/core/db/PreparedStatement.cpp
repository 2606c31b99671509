#include "PreparedStatement.h"

#include "Database.h"

#include <sqlite3.h>

PreparedStatement::~PreparedStatement() {
    sqlite3_finalize(m_statement);
}

bool PreparedStatement::check(int resultCode) {
    if (resultCode == SQLITE_OK)
        return true;
    m_failed = true;
    m_database.ReportSqliteError(resultCode);
    return false;
}

bool PreparedStatement::Prepare(const QString& statement) {
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    m_failed = false;
    if (!m_database.IsOpen()) {
        m_failed = true;
        return false;
    }
    const QByteArray sql = statement.toUtf8();
    if (!check(sqlite3_prepare_v2(m_database.Handle(), sql.constData(), int(sql.size()),
                                  &m_statement, nullptr)))
        return false;
    m_failed = m_statement == nullptr; // a text without a statement
    return !m_failed;
}

bool PreparedStatement::Reset() {
    m_failed = false;
    return m_statement && check(sqlite3_reset(m_statement));
}

bool PreparedStatement::Bind(int index, qint64 value) {
    return m_statement && check(sqlite3_bind_int64(m_statement, index, value));
}

bool PreparedStatement::Bind(int index, const QString& text) {
    return m_statement && check(sqlite3_bind_text16(m_statement, index, text.utf16(),
                                                    int(text.size() * 2), SQLITE_TRANSIENT));
}

bool PreparedStatement::BindUtf8(int index, QByteArrayView utf8) {
    return m_statement && check(sqlite3_bind_text(m_statement, index, utf8.data(), int(utf8.size()),
                                                  SQLITE_TRANSIENT));
}

bool PreparedStatement::BindBlob(int index, QByteArrayView bytes) {
    // A null pointer would bind NULL; an empty blob is still a blob.
    static const char empty = 0;
    return m_statement &&
           check(sqlite3_bind_blob(m_statement, index, bytes.isEmpty() ? &empty : bytes.data(),
                                   int(bytes.size()), SQLITE_TRANSIENT));
}

bool PreparedStatement::Next() {
    if (!m_statement || m_failed)
        return false;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        check(rc);
    return false;
}

qint64 PreparedStatement::Int64(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

QByteArrayView PreparedStatement::Text(int column) const {
    // The pointer first: asking for the length before it would size another
    // conversion of the value.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!text)
        return "NULL";
    return QByteArrayView(text, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView PreparedStatement::Blob(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    return QByteArrayView(bytes, bytes ? sqlite3_column_bytes(m_statement, column) : 0);
}
