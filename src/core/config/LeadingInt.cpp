#include "LeadingInt.h"

#include <limits>

int LeadingInt(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // Accumulated as a negative number so that the most negative int fits.
    constexpr long long lowest = std::numeric_limits<int>::min();
    long long value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 - (c - u'0');
        if (value < lowest) {
            value = lowest;
            break;
        }
    }
    if (negative)
        return static_cast<int>(value);
    return value < -std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                    : static_cast<int>(-value);
}
