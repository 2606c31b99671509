#include "QueryHistory.h"

#include <algorithm>

void QueryHistory::Remember(const QString& query) {
    if (!m_entries.contains(query))
        m_entries.append(query);
    m_text = query;
}

QStringList QueryHistory::SortedEntries() const {
    QStringList sorted = m_entries;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return sorted;
}
