#include "Recordset.h"

#include "Database.h"
#include "FieldText.h"

#include <memory>
#include <sqlite3.h>

namespace {

struct Finalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, Finalizer>;

bool onlyBlanksAndSemicolons(const char* text) {
    for (; text && *text; ++text) {
        const char c = *text;
        if (c != ';' && c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

int bind(sqlite3_stmt* statement, int index, const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString text = value.toString();
        return sqlite3_bind_text16(statement, index, text.utf16(), int(text.size() * 2),
                                   SQLITE_TRANSIENT);
    }
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, index, sqlite3_int64(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement, index, bytes.constData(), int(bytes.size()),
                                 SQLITE_TRANSIENT);
    }
    default: {
        const QString text = value.toString();
        return sqlite3_bind_text16(statement, index, text.utf16(), int(text.size() * 2),
                                   SQLITE_TRANSIENT);
    }
    }
}

} // namespace

bool Recordset::fail(int resultCode) {
    m_database->ReportSqliteError(resultCode);
    Close();
    return false;
}

bool Recordset::Open(const QString& statement, const QVariantList& params) {
    Close();
    m_statement = statement;
    if (!m_database || !m_database->IsOpen())
        return false;
    sqlite3* db = m_database->Handle();

    const QByteArray sql = statement.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &raw, &tail);
    StatementPtr prepared(raw);
    if (rc != SQLITE_OK)
        return fail(rc);
    // One statement per call: a second one would run unseen, unchecked and
    // outside the parameters.
    if (!prepared || !onlyBlanksAndSemicolons(tail)) {
        m_database->ReportError(
            {prepared ? QStringLiteral("The text holds more than one statement.")
                      : QStringLiteral("The text holds no statement."),
             QStringLiteral("42000"), SQLITE_MISUSE, QStringLiteral("Keepsake")});
        return false;
    }
    if (sqlite3_bind_parameter_count(prepared.get()) != params.size()) {
        m_database->ReportError({QStringLiteral("The statement takes %1 parameters, %2 were given.")
                                     .arg(sqlite3_bind_parameter_count(prepared.get()))
                                     .arg(params.size()),
                                 QStringLiteral("07001"), SQLITE_RANGE,
                                 QStringLiteral("Keepsake")});
        return false;
    }
    for (int i = 0; i < params.size(); ++i) {
        rc = bind(prepared.get(), i + 1, params.at(i));
        if (rc != SQLITE_OK)
            return fail(rc);
    }

    const int columns = sqlite3_column_count(prepared.get());
    m_kinds.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        m_names.append(QString::fromUtf8(sqlite3_column_name(prepared.get(), c)));
        m_kinds.append(FieldText::KindOfDeclaredType(sqlite3_column_decltype(prepared.get(), c)));
    }
    while ((rc = sqlite3_step(prepared.get())) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            Cell cell;
            switch (sqlite3_column_type(prepared.get(), c)) {
            case SQLITE_INTEGER:
                cell.type = Cell::Integer;
                cell.integer = sqlite3_column_int64(prepared.get(), c);
                break;
            case SQLITE_FLOAT:
                cell.type = Cell::Real;
                cell.real = sqlite3_column_double(prepared.get(), c);
                break;
            case SQLITE_TEXT: {
                // The pointer first: asking for the length before it would
                // size a different conversion of the value.
                const auto* text = sqlite3_column_text(prepared.get(), c);
                cell.type = Cell::Text;
                cell.length = sqlite3_column_bytes(prepared.get(), c);
                cell.offset = m_text.size();
                m_text.append(reinterpret_cast<const char*>(text), cell.length);
                break;
            }
            case SQLITE_BLOB:
                cell.type = Cell::Blob;
                break;
            default:
                break;
            }
            m_cells.append(cell);
        }
        ++m_rowCount;
    }
    if (rc != SQLITE_DONE)
        return fail(rc);
    m_rowsAffected = sqlite3_stmt_readonly(prepared.get()) ? 0 : sqlite3_changes(db);
    m_open = true;
    return true;
}

bool Recordset::MoveNext() {
    if (!m_open || m_position >= m_rowCount)
        return false;
    ++m_position;
    return true;
}

bool Recordset::GetValueText(int index, QString& out) const {
    if (!m_open || index < 0 || index >= m_names.size() || m_position >= m_rowCount)
        return false;
    const Cell& cell = m_cells.at(m_position * m_names.size() + index);
    const FieldText::Kind kind = m_kinds.at(index);
    switch (cell.type) {
    case Cell::Null:
        out = FieldText::OfNull();
        break;
    case Cell::Integer:
        out = FieldText::OfInteger(cell.integer, kind);
        break;
    case Cell::Real:
        out = FieldText::OfReal(cell.real, kind);
        break;
    case Cell::Text:
        out = FieldText::OfText(m_text.constData() + cell.offset, cell.length, kind);
        break;
    case Cell::Blob:
        out = FieldText::OfBlob();
        break;
    }
    return true;
}

QString Recordset::GetFieldName(int index) const {
    return m_open && index >= 0 && index < m_names.size() ? m_names.at(index) : QString();
}

void Recordset::Close() {
    m_open = false;
    m_names.clear();
    m_kinds.clear();
    m_cells.clear();
    m_text.clear();
    m_rowCount = 0;
    m_position = 0;
    m_rowsAffected = 0;
}
