#pragma once

#include <QList>
#include <QStringList>

// The ids of every material the list's filter lets through, in pages of a
// hundred: only the shown page is ever read in full.
class MaterialPaging {
public:
    static constexpr int kPageSize = 100;

    void reset(QList<qint64> ids);
    void clear() { reset({}); }

    const QList<qint64>& ids() const { return m_ids; }
    // 0 when there is nothing to show.
    int pageCount() const;
    int currentPage() const { return m_current; }
    bool canGoPrevious() const { return m_current > 1; }
    bool canGoNext() const { return m_current < pageCount(); }
    // The page box: "1页", "2页", ...
    QStringList entries() const;
    // The page an entry of the page box names; 0 for none.
    static int PageOfEntry(const QString& entry);

    // The ids of page p (from 1); empty for a page that is not there.
    QList<qint64> idsOf(int page) const;
    // Makes p the current page; false for a page that is not there.
    bool setCurrent(int page);

    // A material joins or leaves the listed ones without a new query.
    void append(qint64 id);
    void remove(qint64 id);

private:
    QList<qint64> m_ids;
    int m_current = 0;
};
