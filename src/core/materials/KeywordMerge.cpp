#include "KeywordMerge.h"

#include <algorithm>

namespace KeywordMerge {

Changes Merge(QStringList stored, QStringList edited) {
    std::sort(stored.begin(), stored.end());
    std::sort(edited.begin(), edited.end());
    Changes changes;
    qsizetype s = 0, e = 0;
    while (s < stored.size() || e < edited.size()) {
        if (s == stored.size()) {
            changes.toInsert.append(edited[e++]);
        } else if (e == edited.size()) {
            changes.toDelete.append(stored[s++]);
        } else if (edited[e] < stored[s]) {
            changes.toInsert.append(edited[e++]);
        } else if (stored[s] < edited[e]) {
            changes.toDelete.append(stored[s++]);
        } else {
            ++s;
            ++e;
        }
    }
    return changes;
}

QStringList Cleaned(const QStringList& edited) {
    QStringList cleaned;
    for (const QString& value : edited) {
        const QString keyword = value.trimmed();
        if (!keyword.isEmpty())
            cleaned.append(keyword);
    }
    return cleaned;
}

} // namespace KeywordMerge
