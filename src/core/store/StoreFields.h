#pragma once

#include "CategoryCode.h"
#include "db/Recordset.h"

#include <QString>

// How the store reads the text columns of its rows, shared by its files.
namespace StoreFields {

// Material ids and row numbers are written unquoted; only a decimal integer
// may stand there.
inline bool toId(const QString& text, qint64& id) {
    bool ok = false;
    id = text.toLongLong(&ok);
    return ok;
}

inline QString textAt(const Recordset& result, int index) {
    QString text;
    result.GetValueText(index, text);
    return text;
}

// A code that is written, or that becomes a "like" pattern, must be a code.
inline bool writableCode(const QString& code) {
    return CategoryCode::IsWellFormed(code) && !CategoryCode::IsWholeBase(code);
}

} // namespace StoreFields
