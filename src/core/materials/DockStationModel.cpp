#include "DockStationModel.h"

#include "MaterialLookup.h"
#include "MaterialTableModel.h"
#include "Prompter.h"
#include "config/CFolderTool.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/MaterialFolder.h"

DockStationModel::DockStationModel(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                   Prompter& prompter, QObject* parent)
    : QAbstractTableModel(parent), m_store(store), m_base(base), m_prompter(prompter) {}

// Entries

QList<DockEntry> DockStationModel::entries() const {
    QList<DockEntry> list;
    list.reserve(m_rows.size());
    for (const Row& row : m_rows)
        list.append(row.entry);
    return list;
}

int DockStationModel::rowOf(const QString& materialId, const QString& baseId) const {
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].entry.IsMaterial(materialId, baseId))
            return i;
    }
    return -1;
}

MaterialRecord DockStationModel::materialAt(int row) const {
    MaterialRecord m = m_rows.at(row).entry.Material;
    m.MinuItemName = m_rows.at(row).shownName;
    m.DisplayPath = m_rows.at(row).shownPath;
    return m;
}

// Opening

DockStationModel::OpenAction DockStationModel::decideOpen(int row, bool openInWindow) {
    if (row < 0 || row >= m_rows.size())
        return OpenAction::Refused;
    const MaterialRecord material = materialAt(row);
    if (openInWindow) {
        const QString folder =
            MaterialFolder::Resolve(material.FilesRoot, material.MinuItemFilePath);
        if (folder.isEmpty() || !CFolderTool::IsDirectory(folder))
            m_prompter.error(QStringLiteral("该资料的文件目录已经失效，打开失败!"));
        return OpenAction::Activate;
    }
    if (!MaterialLookup::BelongsToOpenBase(material, m_base)) {
        m_prompter.error(QStringLiteral("该资料不属于当前本地知识库，打开失败!"));
        return OpenAction::Refused;
    }
    return OpenAction::Open;
}

// Changes made elsewhere

void DockStationModel::showEntries(const QList<DockEntry>& entries) {
    // Rows docked by another process come as the file has them.
    QList<Row> rows;
    for (const DockEntry& entry : entries) {
        const MaterialRecord& m = entry.Material;
        const int old = rowOf(m.MinuItemID, m.KnowledgeBaseID);
        if (old >= 0)
            rows.append(
                {entry, m_rows[old].shownName, m_rows[old].shownPath, m_rows[old].openWhenDocked});
        else
            rows.append({entry, m.MinuItemName, m.DisplayPath, false});
    }
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void DockStationModel::markOpenWhenDocked(const MaterialRecord& material, bool openInWindow) {
    const int row = rowOf(material.MinuItemID, material.KnowledgeBaseID);
    if (row < 0)
        return;
    m_rows[row].openWhenDocked = openInWindow;
    rowChanged(row);
}

void DockStationModel::rowChanged(int row) {
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void DockStationModel::refreshPaths(const QString& code) {
    const QString baseId = QString::number(m_base.ID);
    for (int i = 0; i < m_rows.size(); ++i) {
        const MaterialRecord& m = m_rows[i].entry.Material;
        if (m_base.IsOpen() && m.KnowledgeBaseID == baseId &&
            MaterialTableModel::CodeIsUnder(m.ItemID, code)) {
            m_rows[i].shownPath = MaterialLookup::DisplayPath(m_store, m_base, m.ItemID);
            rowChanged(i);
        }
    }
}

void DockStationModel::updateMaterial(const MaterialRecord& material) {
    const int row = rowOf(material.MinuItemID, material.KnowledgeBaseID);
    if (row < 0)
        return;
    m_rows[row].shownName = material.MinuItemName;
    rowChanged(row);
}

// The view

int DockStationModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DockStationModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DockStationModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows[index.row()];
    const MaterialRecord& m = row.entry.Material;
    if (role == OpenWhenDockedRole)
        return row.openWhenDocked;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return row.shownName;
    case PathColumn:
        return row.shownPath;
    case DockTimeColumn:
        return row.entry.DockTime;
    case IdColumn:
        return m.MinuItemID;
    case CodeColumn:
        return m.ItemID;
    case TypeColumn:
        return m.DescribeFileType;
    case CreatorColumn:
        return m.Creator;
    case CreateTimeColumn:
        return m.CreateTime;
    case DescribeFileColumn:
        return m.MinuItemDescribeFilename;
    case FolderColumn:
        return m.MinuItemFilePath;
    case BaseIdColumn:
        return m.KnowledgeBaseID;
    case BaseFolderColumn:
        return m.FilesRoot;
    default: // the icon, and the local or network mark, which shows empty
        return {};
    }
}

QVariant DockStationModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    static const char* const titles[] = {
        " ",          "原资料名",      "原资料路径",     "停靠日期",
        "原资料ID",   "原项ID",        "原资料描述类型", "创建人",
        "创建时间",   "原描述文件名",  "原文件存放路径", "本地网络知识库标识",
        "知识库ID号", "原知识库主目录"};
    return QString::fromUtf8(titles[section]);
}
