#include "RecycleBinModel.h"

#include "CategoryCode.h"
#include "CategoryTreeModel.h"
#include "CurrentKnowledgeBase.h"
#include "KnowledgeStore.h"
#include "MaterialFolder.h"
#include "Prompter.h"
#include "db/Transaction.h"

namespace {

const QString kInUse = QStringLiteral("有文件正在被使用，无法删除!");

// The part of a code that every row under the item shares.
QString prefixOf(const QString& code) {
    if (CategoryCode::IsRoot(code))
        return code.left(2);
    if (CategoryCode::IsMajor(code))
        return code.left(4);
    return code;
}

} // namespace

RecycleBinModel::RecycleBinModel(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                 Prompter& prompter, CategoryTreeModel& tree, QObject* parent)
    : QAbstractTableModel(parent), m_store(store), m_base(base), m_prompter(prompter),
      m_tree(tree) {}

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
    for (int i = int(m_rows.size()) - 1; i >= 0; --i) {
        if (matches(m_rows[i])) {
            beginRemoveRows({}, i, i);
            m_rows.removeAt(i);
            endRemoveRows();
        }
    }
}

bool RecycleBinModel::restore(int rowIndex) {
    if (rowIndex < 0 || rowIndex >= m_rows.size())
        return false;
    const RecycleRow row = m_rows[rowIndex];
    if (row.IsMaterial()) {
        // A code of the wrong length names no item to list the material under.
        if (row.Code.size() != 6 || !m_store.RestoreMaterialRow(row.MaterialId)) {
            failed(QStringLiteral("还原资料 '%1' 失败!").arg(row.Name));
            return false;
        }
        removeRowsWhere([&](const RecycleRow& r) { return r.MaterialId == row.MaterialId; });
        MaterialRecord material;
        m_store.GetMaterial(row.MaterialId, material);
        material.DisplayPath = m_store.ItemNames().DisplayPath(m_base.Name, material.ItemID);
        material.KnowledgeBaseID = QString::number(m_base.ID);
        material.FilesRoot = m_base.FilesRoot;
        Q_EMIT materialRestored(material);
        return true;
    }

    // Only this item comes back, with the materials filed directly under it;
    // the items below it stay until they are restored themselves.
    {
        Transaction transaction(m_store.database());
        if (!transaction.IsActive() || !m_store.RestoreItemRow(row.Code) ||
            !m_store.RestoreMaterialsOfItem(row.Code) || !transaction.Commit()) {
            failed(QStringLiteral("还原知识库项 '%1' 失败!").arg(row.Name));
            return false;
        }
    }
    removeRowsWhere([&](const RecycleRow& r) { return r.Code == row.Code; });
    m_tree.insertRestored(row.Code);
    return true;
}

bool RecycleBinModel::clearRow(int rowIndex) {
    if (rowIndex < 0 || rowIndex >= m_rows.size())
        return false;
    if (m_prompter.message(QStringLiteral("清除后将不能恢复，确定吗?"), QStringLiteral("警告"),
                           Prompter::Icon::Question,
                           Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return false;
    const RecycleRow row = m_rows[rowIndex];
    return row.IsMaterial() ? clearMaterial(row.MaterialId) : clearItem(row.Code);
}

bool RecycleBinModel::clearMaterial(const QString& materialId) {
    MaterialRecord material;
    if (!m_store.GetMaterial(materialId, material) || material.MinuItemID.isEmpty())
        return false;
    const auto removal =
        MaterialFolder::Remove(m_base.FilesRoot, material.MinuItemFilePath, materialId);
    if (removal == MaterialFolder::Removal::Refused || removal == MaterialFolder::Removal::Failed) {
        failed(kInUse);
        return false;
    }
    if (!m_store.DeleteMaterialRow(materialId)) {
        failed(QStringLiteral("清除资料 '%1' 失败!").arg(material.MinuItemName));
        return false;
    }
    removeRowsWhere([&](const RecycleRow& r) { return r.MaterialId == materialId; });
    Q_EMIT materialCleared(materialId);
    return true;
}

bool RecycleBinModel::clearItem(const QString& code) {
    // A malformed code would widen the patterns that find what lies below.
    if (!CategoryCode::IsWellFormed(code) || CategoryCode::IsWholeBase(code)) {
        failed(QStringLiteral("清除知识库项失败!"));
        return false;
    }
    QList<MaterialRecord> materials;
    if (!m_store.LoadMaterialsUnder(code, materials)) {
        failed(QStringLiteral("清除知识库项失败!"));
        return false;
    }
    // Folders cannot come back, so they go first, one by one; the first that
    // will not go stops the clear. Then the rows of what is gone, all at once.
    QStringList gone;
    bool allGone = true;
    for (const MaterialRecord& m : materials) {
        const auto removal =
            MaterialFolder::Remove(m_base.FilesRoot, m.MinuItemFilePath, m.MinuItemID);
        if (removal == MaterialFolder::Removal::Refused ||
            removal == MaterialFolder::Removal::Failed) {
            failed(kInUse);
            allGone = false;
            break;
        }
        gone.append(m.MinuItemID);
    }
    bool ok = false;
    {
        Transaction transaction(m_store.database());
        ok = transaction.IsActive();
        for (const QString& id : gone)
            ok = ok && m_store.DeleteMaterialRow(id);
        if (allGone)
            ok = ok && m_store.DeleteItems(code);
        ok = ok && transaction.Commit();
    }
    if (!ok) {
        failed(QStringLiteral("清除知识库项失败!"));
        return false;
    }
    removeRowsWhere([&](const RecycleRow& r) { return r.IsMaterial() && gone.contains(r.MaterialId); });
    for (const QString& id : gone)
        Q_EMIT materialCleared(id);
    if (!allGone)
        return false;
    const QString prefix = prefixOf(code);
    removeRowsWhere([&](const RecycleRow& r) { return r.Code.startsWith(prefix); });
    m_store.ItemNames().ForgetUnder(prefix);
    m_tree.forgetCleared(code);
    return true;
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
    static const char* const titles[] = {" ",        "名程",   "类型",   "路径",
                                         "删除时间", "资料ID", "项ID",   "创建时间"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}
