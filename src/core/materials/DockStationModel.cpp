#include "DockStationModel.h"

#include "MaterialLookup.h"
#include "MaterialTableModel.h"
#include "Prompter.h"
#include "TimeText.h"
#include "config/CFolderTool.h"
#include "config/ConfigFileReader.h"
#include "config/ConfigFileWriter.h"
#include "config/ProgramPaths.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/MaterialFolder.h"

namespace {

const QString kSection = QStringLiteral("GOTOMINUITEM");
const QString kKey = QStringLiteral("GotoMinuItemData");

} // namespace

DockStationModel::DockStationModel(const ProgramPaths& paths, KnowledgeStore& store,
                                   const CurrentKnowledgeBase& base, Prompter& prompter,
                                   QObject* parent)
    : QAbstractTableModel(parent), m_file(paths.dockStationFile()),
      m_configFolder(paths.configFolder()), m_store(store), m_base(base), m_prompter(prompter) {}

// The file

void DockStationModel::load() {
    ConfigFileReader reader;
    reader.Load(m_file);
    QStringList values;
    reader.GetValues(kSection, kKey, values);
    QList<Row> rows;
    for (const QString& value : values) {
        if (value.isEmpty())
            continue;
        const DockEntry entry = DockEntry::FromFileValue(value);
        rows.append({entry, entry.Material.MinuItemName, entry.Material.DisplayPath, false});
    }
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

QString DockStationModel::FileText(const QList<DockEntry>& entries) {
    QString text = QLatin1Char('[') + kSection + QLatin1String("]\n");
    for (const DockEntry& entry : entries)
        text += kKey + QLatin1Char('=') + entry.FileValue() + QLatin1Char('\n');
    return text;
}

bool DockStationModel::save() {
    switch (ConfigFileWriter::Write(m_file, FileText(entries()))) {
    case ConfigFileWriter::Result::Written:
        return true;
    case ConfigFileWriter::Result::FolderNotMade:
        m_prompter.notice(QStringLiteral("创建%1文件夹出错").arg(m_configFolder));
        return false;
    case ConfigFileWriter::Result::FileNotWritten:
        m_prompter.error(QStringLiteral("无法写入文件 '%1'，所做的更改没有保存!").arg(m_file));
        return false;
    }
    return false;
}

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

bool DockStationModel::isDocked(const QString& materialId, const QString& baseId) const {
    return rowOf(materialId, baseId) >= 0;
}

MaterialRecord DockStationModel::materialAt(int row) const {
    MaterialRecord m = m_rows.at(row).entry.Material;
    m.MinuItemName = m_rows.at(row).shownName;
    m.DisplayPath = m_rows.at(row).shownPath;
    return m;
}

bool DockStationModel::add(const MaterialRecord& material, bool openInWindow,
                           const QString& dockTime) {
    if (material.MinuItemID.isEmpty() || isDocked(material.MinuItemID, material.KnowledgeBaseID))
        return true;
    Row row;
    row.entry.Material = material;
    row.entry.Material.NetworkMark = QStringLiteral("0");
    row.entry.DockTime = dockTime.isEmpty() ? TimeText::now() : dockTime;
    row.shownName = material.MinuItemName;
    row.shownPath = material.DisplayPath;
    row.openWhenDocked = openInWindow;
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.append(row);
    endInsertRows();
    return save();
}

void DockStationModel::removeRowsWhere(const std::function<bool(const Row&)>& matches) {
    for (int i = int(m_rows.size()) - 1; i >= 0; --i) {
        if (matches(m_rows[i])) {
            beginRemoveRows({}, i, i);
            m_rows.removeAt(i);
            endRemoveRows();
        }
    }
}

bool DockStationModel::removeRow(int row) {
    if (row < 0 || row >= m_rows.size())
        return false;
    const DockEntry gone = m_rows[row].entry;
    removeRowsWhere([&](const Row& r) {
        return r.entry.IsMaterial(gone.Material.MinuItemID, gone.Material.KnowledgeBaseID);
    });
    return save();
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

void DockStationModel::openFailed(int row) {
    if (row < 0 || row >= m_rows.size())
        return;
    m_prompter.error(QStringLiteral("该资料由于资料路径问题而不能正常打开!"));
    removeRow(row);
}

// Changes made elsewhere

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

void DockStationModel::forgetMaterial(const MaterialRecord& material) {
    if (!isDocked(material.MinuItemID, material.KnowledgeBaseID))
        return;
    removeRowsWhere([&](const Row& r) {
        return r.entry.IsMaterial(material.MinuItemID, material.KnowledgeBaseID);
    });
    save();
}

void DockStationModel::forgetBase(const QString& baseId) {
    const qsizetype before = m_rows.size();
    removeRowsWhere([&](const Row& r) { return r.entry.Material.KnowledgeBaseID == baseId; });
    if (m_rows.size() != before)
        save();
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
