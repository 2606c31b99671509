#include "TimeText.h"

#include <mutex>

namespace {
std::mutex clockMutex;
std::function<QDateTime()>& testClock() {
    static std::function<QDateTime()> c;
    return c;
}
} // namespace

namespace TimeText {

QString format(const QDateTime& time) {
    return time.toString(QLatin1String(kFormat));
}

QString now() {
    std::function<QDateTime()> c;
    {
        std::lock_guard lock(clockMutex);
        c = testClock();
    }
    return format(c ? c() : QDateTime::currentDateTime());
}

void setClock(std::function<QDateTime()> c) {
    std::lock_guard lock(clockMutex);
    testClock() = std::move(c);
}

} // namespace TimeText
