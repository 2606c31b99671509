#include "StatusTextFilter.h"

#include <QStringList>

namespace {

// A scheme name is short: "javascript:" itself has ten characters before
// its colon.
constexpr int kLastSchemeStart = 10;

} // namespace

bool StatusTextFilter::pass(const QString& text) {
    if (text.isEmpty()) {
        if (m_lastWasEmpty)
            return false;
        m_lastWasEmpty = true;
        return true;
    }
    if (!looksLikeAddress(text) && !isProgressMessage(text))
        return false;
    m_lastWasEmpty = false;
    return true;
}

bool StatusTextFilter::looksLikeAddress(const QString& text) {
    if (text.startsWith(QLatin1String("about:")))
        return true;
    for (const QLatin1String mark :
         {QLatin1String("://"), QLatin1String("mailto:"), QLatin1String("javascript:")}) {
        const int at = text.indexOf(mark);
        if (at >= 0)
            return at <= kLastSchemeStart;
    }
    return false;
}

bool StatusTextFilter::isProgressMessage(const QString& text) {
    static const QStringList starts = {QStringLiteral("Shortcut"), QStringLiteral("Wait"),
                                       QStringLiteral("Start"),    QStringLiteral("Open"),
                                       QStringLiteral("Connect"),  QStringLiteral("Find"),
                                       QStringLiteral("download"), QStringLiteral("Web"),
                                       QStringLiteral("正在"),     QStringLiteral("完成")};
    static const QStringList parts = {QStringLiteral("的快捷方式"), QStringLiteral("地址已"),
                                      QStringLiteral("项剩余"), QStringLiteral("remain")};
    for (const QString& start : starts) {
        if (text.startsWith(start))
            return true;
    }
    for (const QString& part : parts) {
        if (text.contains(part))
            return true;
    }
    return text == QLatin1String("Done");
}
