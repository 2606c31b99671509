#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct LocalResourceRecord;

// The entries of the knowledge-base pane's drop-down, one "name [ID]" per
// registered base, and the entry the user chose last. The drop-down itself
// mirrors entries(); switching works from the text, so it lives here.
class KnowledgeBaseSelector {
public:
    static QString EntryText(const QString& name, int id);
    // The number between the entry's last "[" and the "]" after it; nullopt
    // when the text carries none.
    static std::optional<int> EntryId(const QString& text);

    void fill(const QList<LocalResourceRecord>& bases);
    void append(const QString& entry) { m_entries.append(entry); }
    // Removes every entry that carries the ID; true when one was there.
    bool removeId(int id);

    const QStringList& entries() const { return m_entries; }

    const QString& chosenText() const { return m_chosen; }
    void setChosenText(const QString& text) { m_chosen = text; }

private:
    QStringList m_entries;
    QString m_chosen;
};
