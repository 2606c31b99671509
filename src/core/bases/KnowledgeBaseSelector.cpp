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

QString KnowledgeBaseSelector::EntryText(const LocalResourceRecord& base) {
    return EntryText(base.ResourceName.isEmpty() ? base.IniPath : base.ResourceName, base.ID);
}

void KnowledgeBaseSelector::fill(const QList<LocalResourceRecord>& bases) {
    m_entries.clear();
    update(bases);
}

void KnowledgeBaseSelector::update(const QList<LocalResourceRecord>& bases) {
    QStringList wanted;
    m_unavailable.clear();
    for (const LocalResourceRecord& base : bases) {
        wanted.append(EntryText(base));
        if (!base.Unavailable.isEmpty())
            m_unavailable.insert(wanted.last(), UnavailableText(base));
    }
    m_entries.removeIf([&](const QString& entry) { return !wanted.contains(entry); });
    for (const QString& entry : std::as_const(wanted)) {
        if (!m_entries.contains(entry))
            m_entries.append(entry);
    }
}

bool KnowledgeBaseSelector::removeId(int id) {
    return m_entries.removeIf([id](const QString& entry) { return EntryId(entry) == id; }) > 0;
}
