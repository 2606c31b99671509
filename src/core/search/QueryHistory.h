#pragma once

#include <QString>
#include <QStringList>

// The entries of the query box in the main window's command bar: every
// query confirmed in the search dialog, once, in the order first used, and
// the text the box shows (typed there, or the last query confirmed).
class QueryHistory {
public:
    const QStringList& Entries() const { return m_entries; }
    const QString& CurrentText() const { return m_text; }

    // A confirmed query: its entry is selected, appended first when new.
    void Remember(const QString& query);
    // Text typed into the box: the search dialog starts from it.
    void Show(const QString& text) { m_text = text; }
    // What the search dialog's own query box lists: the same, sorted.
    QStringList SortedEntries() const;

private:
    QStringList m_entries;
    QString m_text;
};
