#include "MaterialListFilter.h"

#include "store/MaterialRecord.h"

namespace {

constexpr qint64 kDay = 86400;

QString dateText(int year, int month, int day) {
    return QString::asprintf("%d-%02d-%02d", year, month, day);
}

} // namespace

QString MaterialListFilter::MonthsBack(int months, const QDate& today) {
    int year = today.year() - months / 12;
    int month = today.month() - months % 12;
    if (month <= 0) {
        month += 12;
        --year;
    }
    return dateText(year, month, today.day());
}

QString MaterialListFilter::YearsBack(int years, const QDate& today) {
    return dateText(today.year() - years, today.month(), today.day());
}

QString MaterialListFilter::DateBefore(const QDateTime& now, qint64 seconds) {
    return now.addSecs(-seconds).toString(QStringLiteral("yyyy-MM-dd"));
}

void MaterialListFilter::chooseTime(Time choice, const QDateTime& now) {
    const QDate today = now.date();
    m_time = choice;
    m_to.clear();
    switch (choice) {
    case Time::None:
    case Time::Custom:
        m_from.clear();
        break;
    case Time::SinceYesterday:
        m_from = DateBefore(now, kDay);
        break;
    case Time::SinceThreeDays:
        m_from = DateBefore(now, 3 * kDay);
        break;
    case Time::SinceAWeek:
        m_from = DateBefore(now, 7 * kDay);
        break;
    case Time::SinceAMonth:
        m_from = MonthsBack(1, today);
        break;
    case Time::SinceThreeMonths:
        m_from = MonthsBack(3, today);
        break;
    case Time::SinceHalfAYear:
        m_from = MonthsBack(6, today);
        break;
    case Time::SinceAYear:
        m_from = YearsBack(1, today);
        break;
    }
}

void MaterialListFilter::setCustomRange(const QString& from, const QString& to) {
    m_time = Time::Custom;
    m_from = from;
    m_to = to;
}

QString MaterialListFilter::createdTo() const {
    return m_to.isEmpty() ? QString() : m_to + QLatin1String(" 23:59:59");
}

bool MaterialListFilter::accepts(const MaterialRecord& material) const {
    const bool web = material.DescribeFileType == QLatin1String("1");
    if ((m_type == Type::WebPages && !web) || (m_type == Type::Other && web))
        return false;
    if (!m_from.isEmpty() && material.CreateTime < createdFrom())
        return false;
    return m_to.isEmpty() || material.CreateTime <= createdTo();
}

QString MaterialListFilter::text() const {
    QString type;
    switch (m_type) {
    case Type::All:
        type = QStringLiteral("全部");
        break;
    case Type::WebPages:
        type = QStringLiteral("网页");
        break;
    case Type::Other:
        type = QStringLiteral("非网页");
        break;
    }
    QString time;
    if (m_from.isEmpty() && m_to.isEmpty())
        time = QStringLiteral("所有时间");
    else if (m_from.isEmpty())
        time = QStringLiteral("%1前").arg(m_to);
    else if (m_to.isEmpty())
        time = QStringLiteral("%1至今").arg(m_from);
    else
        time = QStringLiteral("%1到%2").arg(m_from, m_to);
    return QStringLiteral("当前显示资料过滤条件:%1,%2文件类型,%3范围内的资料")
        .arg(QStringLiteral("全部"), type, time);
}
