#include "RecycleBinModel.h"

#include "CatalogueClear.h"
#include "CategoryCode.h"
#include "CurrentKnowledgeBase.h"
#include "KnowledgeStore.h"
#include "Prompter.h"
#include "TreeService.h"

#include <QSet>

namespace {

// Beyond this many separate runs of rows to remove, one reset is cheaper
// for the views than a removal signal per run.
constexpr int kMaxRemovalRuns = 16;

} // namespace

RecycleBinModel::RecycleBinModel(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                 Prompter& prompter, TreeService& treeService, QObject* parent)
    : QAbstractTableModel(parent), m_store(store), m_base(base), m_prompter(prompter),
      m_treeService(treeService) {
    connect(&treeService, &TreeService::itemRecycled, this, &RecycleBinModel::addRow);
    connect(&treeService, &TreeService::itemRenamed, this, &RecycleBinModel::refreshPaths);
    // A pasted item changes the codes and paths of rows below it.
    connect(&treeService, &TreeService::itemRecoded, this, &RecycleBinModel::load);
    connect(&treeService, &TreeService::materialRestored, this, &RecycleBinModel::materialRestored);
}

void RecycleBinModel::failed(const QString& text) {
    m_prompter.message(text, QStringLiteral("错误"), Prompter::Icon::Warning,
                       Prompter::Buttons::Ok);
}

void RecycleBinModel::load() {
    QList<RecycleRow> items, materials;
    m_store.LoadDeletedItems(items);
    m_store.LoadDeletedMaterials(materials);
    QList<RecycleRow> rows;
    rows.reserve(items.size() + materials.size());
    // Each row goes on top in turn, so the list shows them in reverse.
    for (auto it = materials.crbegin(); it != materials.crend(); ++it)
        rows.append(*it);
    for (auto it = items.crbegin(); it != items.crend(); ++it)
        rows.append(*it);
    for (RecycleRow& row : rows) {
        row.Kind = RecycleKindOf(row.Code, row.IsMaterial());
        row.Path = m_store.ItemNames().DisplayPath(m_base.Name, row.Code);
    }
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void RecycleBinModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void RecycleBinModel::addRow(RecycleRow row) {
    row.Kind = RecycleKindOf(row.Code, row.IsMaterial());
    if (row.Path.isEmpty())
        row.Path = m_store.ItemNames().DisplayPath(m_base.Name, row.Code);
    beginInsertRows({}, 0, 0);
    m_rows.prepend(row);
    endInsertRows();
}

void RecycleBinModel::refreshPaths() {
    for (RecycleRow& row : m_rows)
        row.Path = m_store.ItemNames().DisplayPath(m_base.Name, row.Code);
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, PathColumn), index(int(m_rows.size()) - 1, PathColumn));
}

void RecycleBinModel::removeRowsWhere(const std::function<bool(const RecycleRow&)>& matches) {
    // One pass over the rows, whatever their number: a clear may take a
    // hundred thousand of them off at once.
    QList<std::pair<int, int>> runs; // first and last row, from the bottom up
    for (int i = int(m_rows.size()) - 1; i >= 0; --i) {
        if (!matches(m_rows[i]))
            continue;
        if (!runs.isEmpty() && runs.last().first == i + 1)
            runs.last().first = i;
        else
            runs.append({i, i});
    }
    if (runs.isEmpty())
        return;
    if (runs.size() > kMaxRemovalRuns) {
        beginResetModel();
        m_rows.removeIf(matches);
        endResetModel();
        return;
    }
    for (const auto& [first, last] : runs) {
        beginRemoveRows({}, first, last);
        m_rows.remove(first, last - first + 1);
        endRemoveRows();
    }
}

bool RecycleBinModel::restore(int rowIndex) {
    if (rowIndex < 0 || rowIndex >= m_rows.size())
        return false;
    const RecycleRow row = m_rows[rowIndex];
    if (!m_treeService.restore(row))
        return false;
    removeRowsWhere([&](const RecycleRow& r) {
        return row.IsMaterial() ? r.MaterialId == row.MaterialId : r.Code == row.Code;
    });
    return true;
}

std::optional<ClearTarget> RecycleBinModel::confirmClear(int rowIndex) {
    if (rowIndex < 0 || rowIndex >= m_rows.size())
        return std::nullopt;
    if (m_prompter.message(QStringLiteral("清除后将不能恢复，确定吗?"), QStringLiteral("警告"),
                           Prompter::Icon::Question,
                           Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return std::nullopt;
    const RecycleRow& row = m_rows[rowIndex];
    ClearTarget target;
    target.Name = row.Name;
    if (row.IsMaterial())
        target.MaterialId = row.MaterialId;
    else
        target.ItemCode = row.Code;
    return target;
}

bool RecycleBinModel::clearRow(int rowIndex) {
    const std::optional<ClearTarget> target = confirmClear(rowIndex);
    if (!target)
        return false;
    CatalogueClear clear(m_store.database(), m_base.FilesRoot);
    return applyCleared(clear.Run(*target));
}

bool RecycleBinModel::applyCleared(const ClearResult& result) {
    QSet<QString> gone;
    gone.reserve(result.ClearedIds.size());
    for (qint64 id : result.ClearedIds)
        gone.insert(QString::number(id));
    const QString code = result.Target.ItemCode;
    const QString prefix = result.ItemCleared ? CategoryCode::SharedPrefix(code) : QString();
    removeRowsWhere([&](const RecycleRow& r) {
        return r.IsMaterial() ? gone.contains(r.MaterialId)
                              : !prefix.isEmpty() && r.Code.startsWith(prefix);
    });
    for (const QString& id : std::as_const(gone))
        Q_EMIT materialCleared(id);
    if (result.ItemCleared) {
        m_store.ItemNames().ForgetUnder(prefix);
        m_treeService.forgetCleared(code);
    }
    // Stopping was the user's own wish: told, not warned.
    if (result.Stopped)
        m_prompter.notice(result.Failure);
    else if (!result.Finished())
        failed(result.Failure);
    return result.Finished();
}

int RecycleBinModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecycleBinModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecycleBinModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const RecycleRow& row = m_rows[index.row()];
    if (role == Qt::UserRole)
        return row.Kind;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return row.Name;
    case KindColumn:
        return row.Kind;
    case PathColumn:
        return row.Path;
    case DeleteTimeColumn:
        return row.DeleteTime;
    case MaterialIdColumn:
        return row.MaterialId;
    case CodeColumn:
        return row.Code;
    case CreateTimeColumn:
        return row.CreateTime;
    default:
        return {};
    }
}

QVariant RecycleBinModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {" ",        "名程",   "类型", "路径",
                                         "删除时间", "资料ID", "项ID", "创建时间"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}
