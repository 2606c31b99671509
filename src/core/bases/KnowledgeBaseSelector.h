#pragma once

#include <QHash>
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
    // A base whose name cannot be read now shows its ini path instead.
    static QString EntryText(const LocalResourceRecord& base);
    // The number between the entry's last "[" and the "]" after it; nullopt
    // when the text carries none.
    static std::optional<int> EntryId(const QString& text);

    void fill(const QList<LocalResourceRecord>& bases);
    // The same, keeping the place of the entries already there (an entry the
    // user moved stays where it is); new bases come at the end.
    void update(const QList<LocalResourceRecord>& bases);
    void append(const QString& entry) { m_entries.append(entry); }
    // Removes every entry that carries the ID; true when one was there.
    bool removeId(int id);

    const QStringList& entries() const { return m_entries; }
    // "知识库 '…' 暂时无法使用: …" for the entry of a base that cannot be used
    // now; empty for every other entry.
    QString unavailableText(const QString& entry) const { return m_unavailable.value(entry); }

    const QString& chosenText() const { return m_chosen; }
    void setChosenText(const QString& text) { m_chosen = text; }

private:
    QStringList m_entries;
    QHash<QString, QString> m_unavailable;
    QString m_chosen;
};
