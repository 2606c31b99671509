#pragma once

#include <QString>

// Turns a column value into the text callers have always read: SQLite knows
// only five storage classes, so the declared type of the column stands in for
// the finer types (single and double floats, booleans, dates, decimals).
class FieldText {
public:
    enum class Kind { ByStorage, Double, Single, Boolean, DateTime, Decimal };

    // The kind for a declared column type such as "REAL", "FLOAT",
    // "BOOLEAN", "DATETIME" or "DECIMAL(10,2)"; a null or unknown type (an
    // expression, an INTEGER or TEXT column) goes by the storage class.
    static Kind KindOfDeclaredType(const char* declaredType);

    // NULL gives "NULL"; an integer "%d" of its low 32 bits; a double
    // "%.8f"; a single "%.4f"; a boolean "TRUE" or "FALSE"; a date
    // "yyyy-MM-dd HH:mm:ss"; text itself; a blob "UN_KNOW".
    static QString OfNull() { return QStringLiteral("NULL"); }
    static QString OfInteger(qint64 value, Kind kind);
    static QString OfReal(double value, Kind kind);
    static QString OfText(const char* utf8, qsizetype bytes, Kind kind);
    static QString OfBlob() { return QStringLiteral("UN_KNOW"); }
};
