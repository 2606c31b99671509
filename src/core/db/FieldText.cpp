#include "FieldText.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <cmath>

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString single(double value) {
    return QString::asprintf("%.4f", double(float(value)));
}

// Numbers in a date column follow SQLite's own date functions: an integer is
// seconds since 1970, a real is a Julian day number, both as wall-clock time.
QString dateFromSeconds(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc()).toString(kDateFormat);
}

QString dateFromJulianDay(double day) {
    return dateFromSeconds(std::llround((day - 2440587.5) * 86400.0));
}

QString dateFromText(const QString& text) {
    if (text.size() == 19 && text.at(10) == QLatin1Char(' ') &&
        QDateTime::fromString(text, kDateFormat).isValid())
        return text;
    static const char* const formats[] = {"yyyy-MM-ddTHH:mm:ss",     "yyyy-MM-dd HH:mm:ss.zzz",
                                          "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-dd HH:mm",
                                          "yyyy-MM-ddTHH:mm",        "yyyy-MM-dd"};
    for (const char* format : formats) {
        const QDateTime time = QDateTime::fromString(text, QLatin1String(format));
        if (time.isValid())
            return time.toString(kDateFormat);
    }
    return text; // not a date after all: show what is stored
}

} // namespace

FieldText::Kind FieldText::KindOfDeclaredType(const char* declaredType) {
    if (!declaredType)
        return Kind::ByStorage;
    QByteArray type = QByteArray(declaredType).trimmed().toUpper();
    const int bracket = type.indexOf('(');
    if (bracket >= 0)
        type = type.left(bracket).trimmed();
    if (type == "REAL" || type == "DOUBLE" || type == "DOUBLE PRECISION")
        return Kind::Double;
    if (type == "FLOAT" || type == "SINGLE")
        return Kind::Single;
    if (type == "BOOLEAN" || type == "BOOL" || type == "BIT" || type == "YESNO")
        return Kind::Boolean;
    if (type == "DATETIME" || type == "DATE" || type == "TIMESTAMP")
        return Kind::DateTime;
    if (type == "DECIMAL" || type == "NUMERIC" || type == "CURRENCY" || type == "MONEY")
        return Kind::Decimal;
    return Kind::ByStorage;
}

QString FieldText::OfInteger(qint64 value, Kind kind) {
    switch (kind) {
    case Kind::Boolean:
        return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Kind::Double:
        return QString::asprintf("%.8f", double(value));
    case Kind::Single:
        return single(double(value));
    case Kind::Decimal:
        return QString::asprintf("%.4f", double(value));
    case Kind::DateTime:
        return dateFromSeconds(value);
    case Kind::ByStorage:
        break;
    }
    return QString::number(qint32(quint32(quint64(value) & 0xffffffffu)));
}

QString FieldText::OfReal(double value, Kind kind) {
    switch (kind) {
    case Kind::Boolean:
        return value != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Kind::Single:
        return single(value);
    case Kind::Decimal:
        return QString::asprintf("%.4f", value);
    case Kind::DateTime:
        return dateFromJulianDay(value);
    case Kind::Double:
    case Kind::ByStorage:
        break;
    }
    return QString::asprintf("%.8f", value);
}

QString FieldText::OfText(const char* utf8, qsizetype bytes, Kind kind) {
    const QString text = QString::fromUtf8(utf8, bytes);
    return kind == Kind::DateTime ? dateFromText(text) : text;
}
