#pragma once

#include "CustomTimeFilter.h"
#include "MaterialListFilter.h"
#include "MaterialPaging.h"
#include "MaterialTableModel.h"

#include <functional>

// The material pane's list: the live materials under one tree item that pass
// the filter, a hundred a page. Only the ids of all of them are fetched; the
// rows of a page are read when it is shown.
class MaterialListModel : public MaterialTableModel {
    Q_OBJECT
public:
    MaterialListModel(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                      MaterialClipboard& clipboard, QObject* parent = nullptr);

    // The filter menu. Each choice is kept, then applied at once.
    const MaterialListFilter& filter() const { return m_filter; }
    bool setTypeFilter(MaterialListFilter::Type type);
    bool setTimeChoice(MaterialListFilter::Time choice); // any but Custom
    // The custom dialog's values (CustomTimeFilter::Read after its OK).
    bool setCustomTime(const CustomTimeFilter::Values& values);
    // A custom range given as dates, "" for an open end.
    bool setDateRange(const QString& from, const QString& to);
    // "过滤": lists the item again under the current filter.
    bool apply();
    // While it answers true (a web page is being fetched) the list refuses
    // to change pages or filters, as the network request needs the GUI.
    void setBusyCheck(std::function<bool()> busy) { m_busy = std::move(busy); }

    // Lists the first page of the materials under the code (any level,
    // "000000" for the whole base). False when the database failed.
    bool showMaterialsOf(const QString& code);
    const QString& listCode() const { return m_listCode; }
    // The status-bar line of the last listing.
    const QString& statusText() const { return m_statusText; }
    // How many materials the filter let through, on all pages.
    int listedCount() const { return int(m_paging.ids().size()); }

    int pageCount() const { return m_paging.pageCount(); }
    int currentPage() const { return m_paging.currentPage(); }
    bool canGoPrevious() const { return m_paging.canGoPrevious(); }
    bool canGoNext() const { return m_paging.canGoNext(); }
    QStringList pageEntries() const { return m_paging.entries(); }
    bool showPage(int page);
    bool previousPage();
    bool nextPage();
    // An entry of the page box, "3页".
    bool choosePageEntry(const QString& entry);

    // A material just created joins the end of the list.
    void appendMaterial(const MaterialRecord& material);
    // "清空列表": the rows go; the database is untouched.
    void clearList();

public Q_SLOTS:
    void forgetMaterial(const MaterialRecord& material) override;
    void recodeItem(const QString& oldCode, const QString& newCode) override;
    void moveMaterialsOfItem(const QString& fromCode, const QString& toCode) override;
    void moveMaterial(const MaterialRecord& material, const QString& fromCode) override;
    void forgetBase(const QString& baseId) override;
    // From the recycle bin.
    void restoreMaterial(const MaterialRecord& material);
    void clearMaterial(const QString& materialId);

Q_SIGNALS:
    void statusTextChanged(const QString& text);
    // Page count, current page or the previous / next states changed.
    void pagesChanged();

private:
    bool busy();
    bool loadIds(QList<qint64>& ids);
    bool loadPage(int page);
    // Lists the same item again, staying on the page shown if it is still
    // there: after materials moved into or out of the listed item.
    void reload();
    void addListed(const MaterialRecord& material);

    MaterialListFilter m_filter;
    MaterialPaging m_paging;
    QString m_listCode;
    QString m_statusText;
    std::function<bool()> m_busy;
};
