#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// The store writes and compares times as fixed-width local time text, so text
// order equals time order. Tests replace the clock to get stable rows.
namespace TimeText {

inline constexpr const char* kFormat = "yyyy-MM-dd HH:mm:ss";

QString now();
QString format(const QDateTime& time);

// Replaces the clock until reset with an empty function.
void setClock(std::function<QDateTime()> clock);

} // namespace TimeText
