#pragma once

#include "ItemRecord.h"

#include <QHash>
#include <QList>
#include <QString>

// Every row of ItemTable in memory, so that display paths and the recycle
// bin's path column need no query. A code that occurs twice answers with the
// name of its first row, as a linear search would; the lookup is hashed
// because a material list asks three times per row.
class ItemNameCache {
public:
    void Reset(const QList<ItemRecord>& items);
    void Clear() { Reset({}); }
    const QList<ItemRecord>& Items() const { return m_items; }

    // The name of the first record with the code; empty when none.
    QString NameOf(const QString& code) const;

    // Adds the item, or renames its first record when the code is cached.
    void Remember(const QString& code, const QString& name);
    void Rename(const QString& code, const QString& name);
    void Recode(const QString& oldCode, const QString& newCode);
    void Forget(const QString& code);
    void ForgetById(const QString& id);
    // Drops every record whose code starts with prefix.
    void ForgetUnder(const QString& prefix);

    // "base", "base\root", "base\root\major" or "base\root\major\minor" by
    // the code's level. The backslash is display text, not a path.
    QString DisplayPath(const QString& baseName, const QString& code) const;

private:
    void reindex() const;

    QList<ItemRecord> m_items;
    mutable QHash<QString, qsizetype> m_firstIndex;
    mutable bool m_indexStale = false;
};
