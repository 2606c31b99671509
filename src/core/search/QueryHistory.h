#pragma once

#include <QString>
#include <QStringList>

// The entries of the query box in the main window's command bar: every
// query confirmed in the search dialog, once, in the order first used, and
// the one the box shows.
class QueryHistory {
public:
    const QStringList& Entries() const { return m_entries; }
    int Current() const { return m_current; }
    QString CurrentText() const { return m_current == -1 ? QString() : m_entries.at(m_current); }

    // A confirmed query: its entry is selected, appended first when new.
    void Remember(const QString& query);
    // What the search dialog's own query box lists: the same, sorted.
    QStringList SortedEntries() const;

private:
    QStringList m_entries;
    int m_current = -1;
};
