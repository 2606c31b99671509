#include "MaterialPaging.h"

#include <algorithm>

void MaterialPaging::reset(QList<qint64> ids) {
    m_ids = std::move(ids);
    m_current = m_ids.isEmpty() ? 0 : 1;
}

int MaterialPaging::pageCount() const {
    return m_ids.isEmpty() ? 0 : int((m_ids.size() - 1) / kPageSize + 1);
}

QStringList MaterialPaging::entries() const {
    QStringList list;
    for (int p = 1; p <= pageCount(); ++p)
        list.append(QStringLiteral("%1页").arg(p));
    return list;
}

int MaterialPaging::PageOfEntry(const QString& entry) {
    const qsizetype end = entry.indexOf(QStringLiteral("页"));
    bool ok = false;
    const int page = (end < 0 ? entry : entry.left(end)).trimmed().toInt(&ok);
    return ok ? page : 0;
}

QList<qint64> MaterialPaging::idsOf(int page) const {
    if (page < 1 || page > pageCount())
        return {};
    const qsizetype start = qsizetype(page - 1) * kPageSize;
    return m_ids.mid(start, std::min<qsizetype>(kPageSize, m_ids.size() - start));
}

bool MaterialPaging::setCurrent(int page) {
    if (page < 1 || page > pageCount())
        return false;
    m_current = page;
    return true;
}

void MaterialPaging::append(qint64 id) {
    if (m_ids.contains(id))
        return;
    m_ids.append(id);
    if (m_current == 0)
        m_current = 1;
}

void MaterialPaging::remove(qint64 id) {
    m_ids.removeAll(id);
    m_current = std::min(m_current, pageCount());
}
