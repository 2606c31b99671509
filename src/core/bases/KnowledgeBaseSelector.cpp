#include "KnowledgeBaseSelector.h"

#include "config/ResourceConfig.h"

QString KnowledgeBaseSelector::EntryText(const QString& name, int id) {
    return QStringLiteral("%1 [%2]").arg(name).arg(id);
}

std::optional<int> KnowledgeBaseSelector::EntryId(const QString& text) {
    // The last bracket: a name may hold brackets of its own.
    const qsizetype open = text.lastIndexOf(QLatin1Char('['));
    if (open < 0)
        return std::nullopt;
    const qsizetype close = text.indexOf(QLatin1Char(']'), open);
    bool ok = false;
    const int id =
        QStringView(text).mid(open + 1, close < 0 ? -1 : close - open - 1).trimmed().toInt(&ok);
    return ok ? std::optional<int>(id) : std::nullopt;
}

void KnowledgeBaseSelector::fill(const QList<LocalResourceRecord>& bases) {
    m_entries.clear();
    for (const LocalResourceRecord& base : bases)
        m_entries.append(EntryText(base.ResourceName, base.ID));
}

bool KnowledgeBaseSelector::removeId(int id) {
    return m_entries.removeIf([id](const QString& entry) { return EntryId(entry) == id; }) > 0;
}
