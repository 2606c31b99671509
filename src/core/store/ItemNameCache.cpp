#include "ItemNameCache.h"

#include "CategoryCode.h"

void ItemNameCache::Reset(const QList<ItemRecord>& items) {
    m_items = items;
    m_indexStale = true;
}

void ItemNameCache::reindex() const {
    m_firstIndex.clear();
    m_firstIndex.reserve(m_items.size());
    for (qsizetype i = 0; i < m_items.size(); ++i)
        if (!m_firstIndex.contains(m_items.at(i).ItemID))
            m_firstIndex.insert(m_items.at(i).ItemID, i);
    m_indexStale = false;
}

QString ItemNameCache::NameOf(const QString& code) const {
    if (m_indexStale)
        reindex();
    const auto it = m_firstIndex.constFind(code);
    return it == m_firstIndex.cend() ? QString() : m_items.at(*it).ItemName;
}

void ItemNameCache::Remember(const QString& code, const QString& name) {
    if (m_indexStale)
        reindex();
    const auto it = m_firstIndex.constFind(code);
    if (it != m_firstIndex.cend()) {
        m_items[*it].ItemName = name;
        return;
    }
    m_firstIndex.insert(code, m_items.size());
    m_items.append({QString(), code, name, 0});
}

void ItemNameCache::Rename(const QString& code, const QString& name) {
    for (ItemRecord& item : m_items)
        if (item.ItemID == code)
            item.ItemName = name;
}

void ItemNameCache::Recode(const QString& oldCode, const QString& newCode) {
    for (ItemRecord& item : m_items)
        if (item.ItemID == oldCode)
            item.ItemID = newCode;
    m_indexStale = true;
}

void ItemNameCache::Forget(const QString& code) {
    m_items.removeIf([&](const ItemRecord& item) { return item.ItemID == code; });
    m_indexStale = true;
}

void ItemNameCache::ForgetById(const QString& id) {
    m_items.removeIf([&](const ItemRecord& item) { return !id.isEmpty() && item.ID == id; });
    m_indexStale = true;
}

void ItemNameCache::ForgetUnder(const QString& prefix) {
    m_items.removeIf([&](const ItemRecord& item) { return item.ItemID.startsWith(prefix); });
    m_indexStale = true;
}

QString ItemNameCache::DisplayPath(const QString& baseName, const QString& code) const {
    using CategoryCode::Level;
    const QChar sep(QLatin1Char('\\'));
    const Level level = CategoryCode::LevelOf(code);
    if (level == Level::WholeBase || level == Level::Invalid)
        return baseName;
    QString path = baseName + sep + NameOf(code.left(2) + QLatin1String("0000"));
    if (level == Level::Root)
        return path;
    path += sep + NameOf(code.left(4) + QLatin1String("00"));
    if (level == Level::Major)
        return path;
    return path + sep + NameOf(code);
}
