#include "MaterialListModel.h"

#include "MaterialLookup.h"
#include "Prompter.h"
#include "TimeText.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"

namespace {

QDateTime now() {
    return QDateTime::fromString(TimeText::now(), QLatin1String(TimeText::kFormat));
}

} // namespace

MaterialListModel::MaterialListModel(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                     Prompter& prompter, MaterialClipboard& clipboard,
                                     QObject* parent)
    : MaterialTableModel(store, base, prompter, clipboard, QStringLiteral("资料描述文件名"),
                         parent),
      m_statusText(m_filter.text()) {}

bool MaterialListModel::busy() {
    if (!m_busy || !m_busy())
        return false;
    m_prompter.notice(QStringLiteral("系统对网络资源请求正忙，请稍后再试!"));
    return true;
}

// Filter

bool MaterialListModel::setTypeFilter(MaterialListFilter::Type type) {
    m_filter.setType(type);
    return apply();
}

bool MaterialListModel::setTimeChoice(MaterialListFilter::Time choice) {
    m_filter.chooseTime(choice, now());
    return apply();
}

bool MaterialListModel::setCustomTime(const CustomTimeFilter::Values& values) {
    const auto [from, to] = CustomTimeFilter::Bounds(values, now());
    m_filter.setCustomRange(from, to);
    return apply();
}

bool MaterialListModel::setDateRange(const QString& from, const QString& to) {
    m_filter.setCustomRange(from, to);
    return apply();
}

bool MaterialListModel::apply() {
    if (busy())
        return false;
    setRows({});
    if (m_listCode.size() != 6)
        return true;
    return showMaterialsOf(m_listCode);
}

// Listing

bool MaterialListModel::loadIds(QList<qint64>& ids) {
    return m_store.LoadMaterialIds(m_listCode, int(m_filter.type()), m_filter.createdFrom(),
                                   m_filter.createdTo(), ids);
}

bool MaterialListModel::showMaterialsOf(const QString& code) {
    m_statusText = m_filter.text();
    Q_EMIT statusTextChanged(m_statusText);
    m_listCode = code;
    setRows({});
    m_paging.clear();
    QList<qint64> ids;
    const bool ok = loadIds(ids);
    m_paging.reset(std::move(ids));
    if (m_paging.pageCount() > 0)
        loadPage(1);
    Q_EMIT pagesChanged();
    return ok;
}

bool MaterialListModel::loadPage(int page) {
    QList<MaterialRecord> rows;
    const bool ok = m_store.LoadMaterials(m_paging.idsOf(page), rows);
    for (MaterialRecord& m : rows)
        MaterialLookup::Complete(m_store, m_base, m);
    setRows(rows);
    return ok;
}

bool MaterialListModel::showPage(int page) {
    if (m_listCode.isEmpty() || !m_paging.setCurrent(page))
        return false;
    const bool ok = loadPage(page);
    Q_EMIT pagesChanged();
    return ok;
}

bool MaterialListModel::previousPage() {
    if (busy() || !m_paging.canGoPrevious())
        return false;
    return showPage(m_paging.currentPage() - 1);
}

bool MaterialListModel::nextPage() {
    if (busy() || !m_paging.canGoNext())
        return false;
    return showPage(m_paging.currentPage() + 1);
}

bool MaterialListModel::choosePageEntry(const QString& entry) {
    return showPage(MaterialPaging::PageOfEntry(entry));
}

void MaterialListModel::reload() {
    if (m_listCode.size() != 6)
        return;
    const int page = m_paging.currentPage();
    QList<qint64> ids;
    loadIds(ids);
    m_paging.reset(std::move(ids));
    m_paging.setCurrent(std::min(std::max(page, 1), m_paging.pageCount()));
    if (m_paging.pageCount() > 0)
        loadPage(m_paging.currentPage());
    else
        setRows({});
    Q_EMIT pagesChanged();
}

void MaterialListModel::addListed(const MaterialRecord& material) {
    if (rowOf(material.MinuItemID, material.KnowledgeBaseID) >= 0)
        return;
    appendRow(material);
    bool ok = false;
    const qint64 id = material.MinuItemID.toLongLong(&ok);
    if (ok && inOpenBase(material)) {
        m_paging.append(id);
        Q_EMIT pagesChanged();
    }
}

void MaterialListModel::appendMaterial(const MaterialRecord& material) {
    addListed(material);
}

void MaterialListModel::clearList() {
    setRows({});
    m_paging.clear();
    m_listCode.clear();
    Q_EMIT pagesChanged();
}

// Changes made elsewhere

void MaterialListModel::forgetMaterial(const MaterialRecord& material) {
    MaterialTableModel::forgetMaterial(material);
    bool ok = false;
    const qint64 id = material.MinuItemID.toLongLong(&ok);
    if (ok && inOpenBase(material) && m_paging.ids().contains(id)) {
        m_paging.remove(id);
        Q_EMIT pagesChanged();
    }
}

void MaterialListModel::recodeItem(const QString& oldCode, const QString& newCode) {
    MaterialTableModel::recodeItem(oldCode, newCode);
    if (m_listCode.size() != 6)
        return;
    const QString from = PrefixOf(oldCode), to = PrefixOf(newCode);
    if (!from.isEmpty() && from.size() == to.size() && m_listCode.startsWith(from)) {
        // The listed item moved (itself or with its major): the same
        // materials, under the item's new code.
        m_listCode = to + m_listCode.mid(from.size());
        return;
    }
    if (CodeIsUnder(oldCode, m_listCode) != CodeIsUnder(newCode, m_listCode))
        reload();
}

void MaterialListModel::moveMaterialsOfItem(const QString& fromCode, const QString& toCode) {
    MaterialTableModel::moveMaterialsOfItem(fromCode, toCode);
    if (m_listCode.size() == 6 &&
        CodeIsUnder(fromCode, m_listCode) != CodeIsUnder(toCode, m_listCode))
        reload();
}

void MaterialListModel::moveMaterial(const MaterialRecord& material, const QString& fromCode) {
    const bool was = m_listCode.size() == 6 && CodeIsUnder(fromCode, m_listCode);
    const bool is = m_listCode.size() == 6 && CodeIsUnder(material.ItemID, m_listCode);
    if (was && !is)
        forgetMaterial(material);
    else if (!was && is && m_filter.accepts(material))
        addListed(material);
    else
        MaterialTableModel::moveMaterial(material, fromCode);
}

void MaterialListModel::restoreMaterial(const MaterialRecord& material) {
    if (m_listCode.size() == 6 && CodeIsUnder(material.ItemID, m_listCode) &&
        m_filter.accepts(material))
        addListed(material);
}

void MaterialListModel::clearMaterial(const QString& materialId) {
    MaterialRecord gone;
    gone.MinuItemID = materialId;
    gone.KnowledgeBaseID = QString::number(m_base.ID);
    forgetMaterial(gone);
}

void MaterialListModel::forgetBase(const QString& baseId) {
    if (baseId == QString::number(m_base.ID))
        clearList();
    else
        MaterialTableModel::forgetBase(baseId);
}
