#pragma once

#include <QDateTime>
#include <QString>

struct MaterialRecord;

// Which materials the material list shows: a description type and a range
// of creation dates, chosen from the pane's filter menu. Dates are
// "yyyy-MM-dd" texts compared with the stored time texts; both ends count.
class MaterialListFilter {
public:
    enum class Type { All = 0, WebPages = 1, Other = 2 };
    enum class Time {
        None,
        SinceYesterday,
        SinceThreeDays,
        SinceAWeek,
        SinceAMonth,
        SinceThreeMonths,
        SinceHalfAYear,
        SinceAYear,
        Custom
    };

    Type type() const { return m_type; }
    Time timeChoice() const { return m_time; }
    const QString& from() const { return m_from; }
    const QString& to() const { return m_to; }

    void setType(Type type) { m_type = type; }
    // Every choice but Custom: the start date counted back from now, no end.
    void chooseTime(Time choice, const QDateTime& now);
    // Custom: either bound may be empty.
    void setCustomRange(const QString& from, const QString& to);

    // The time texts the store compares CreateTime with. The end is the
    // last second of its day: a material made on the "to" day is listed.
    QString createdFrom() const { return m_from; }
    QString createdTo() const;

    // Whether a material the list did not fetch itself passes.
    bool accepts(const MaterialRecord& material) const;

    // The status-bar line, e.g. "当前显示资料过滤条件:全部,网页文件类型,所有时间范围内的资料".
    QString text() const;

    // The date n months (years) back, the day kept as it is even where that
    // month has no such day ("2009-02-31"): the text is only compared.
    static QString MonthsBack(int months, const QDate& today);
    static QString YearsBack(int years, const QDate& today);
    // The date of now less a number of seconds, "yyyy-MM-dd".
    static QString DateBefore(const QDateTime& now, qint64 seconds);

private:
    Type m_type = Type::All;
    Time m_time = Time::None;
    QString m_from;
    QString m_to;
};
