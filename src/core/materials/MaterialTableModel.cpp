#include "MaterialTableModel.h"

#include "MaterialLookup.h"
#include "store/CategoryCode.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/MaterialClipboard.h"

using CategoryCode::Level;

MaterialTableModel::MaterialTableModel(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                       Prompter& prompter, MaterialClipboard& clipboard,
                                       const QString& describeFileTitle, QObject* parent)
    : QAbstractTableModel(parent), m_store(store), m_base(base), m_prompter(prompter),
      m_clipboard(clipboard), m_describeFileTitle(describeFileTitle) {}

bool MaterialTableModel::CodeIsUnder(const QString& code, const QString& scope) {
    switch (CategoryCode::LevelOf(scope)) {
    case Level::WholeBase:
        return code.size() == 6;
    case Level::Root:
        return code.size() == 6 && code.left(2) == scope.left(2);
    case Level::Major:
        return code.size() == 6 && code.left(4) == scope.left(4);
    case Level::Minor:
        return code == scope;
    default:
        return false;
    }
}

int MaterialTableModel::rowOf(const QString& materialId, const QString& baseId) const {
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].MinuItemID == materialId && m_rows[i].KnowledgeBaseID == baseId)
            return i;
    }
    return -1;
}

bool MaterialTableModel::inOpenBase(const MaterialRecord& material) const {
    return MaterialLookup::BelongsToOpenBase(material, m_base);
}

void MaterialTableModel::setRows(const QList<MaterialRecord>& rows) {
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void MaterialTableModel::appendRow(const MaterialRecord& material) {
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.append(material);
    endInsertRows();
}

void MaterialTableModel::removeRowAt(int row) {
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void MaterialTableModel::rowChanged(int row) {
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

bool MaterialTableModel::cut(int row) {
    if (row < 0 || row >= m_rows.size())
        return false;
    m_clipboard.set(m_rows[row]);
    Q_EMIT materialCut();
    return true;
}

void MaterialTableModel::refreshPaths(const QString& code) {
    for (int i = 0; i < m_rows.size(); ++i) {
        MaterialRecord& m = m_rows[i];
        if (inOpenBase(m) && CodeIsUnder(m.ItemID, code)) {
            m.DisplayPath = MaterialLookup::DisplayPath(m_store, m_base, m.ItemID);
            rowChanged(i);
        }
    }
}

void MaterialTableModel::updateMaterial(const MaterialRecord& material) {
    for (int i = 0; i < m_rows.size(); ++i) {
        MaterialRecord& m = m_rows[i];
        if (m.MinuItemID == material.MinuItemID && m.KnowledgeBaseID == material.KnowledgeBaseID) {
            m.MinuItemName = material.MinuItemName;
            m.DescribeFileType = material.DescribeFileType;
            m.MinuItemDescribeFilename = material.MinuItemDescribeFilename;
            rowChanged(i);
        }
    }
}

void MaterialTableModel::forgetMaterial(const MaterialRecord& material) {
    for (int i = int(m_rows.size()) - 1; i >= 0; --i) {
        if (m_rows[i].MinuItemID == material.MinuItemID &&
            m_rows[i].KnowledgeBaseID == material.KnowledgeBaseID)
            removeRowAt(i);
    }
}

void MaterialTableModel::recodeRows(const std::function<QString(const QString&)>& newCodeOf) {
    for (int i = 0; i < m_rows.size(); ++i) {
        MaterialRecord& m = m_rows[i];
        if (!inOpenBase(m))
            continue;
        const QString code = newCodeOf(m.ItemID);
        if (code.isEmpty() || code == m.ItemID)
            continue;
        m.ItemID = code;
        m.DisplayPath = MaterialLookup::DisplayPath(m_store, m_base, code);
        rowChanged(i);
    }
}

QString MaterialTableModel::PrefixOf(const QString& code) {
    switch (CategoryCode::LevelOf(code)) {
    case Level::Root:
        return code.left(2);
    case Level::Major:
        return code.left(4);
    case Level::Minor:
        return code;
    default:
        return {};
    }
}

void MaterialTableModel::recodeItem(const QString& oldCode, const QString& newCode) {
    const QString from = PrefixOf(oldCode), to = PrefixOf(newCode);
    if (from.size() != to.size() || from.isEmpty())
        return;
    recodeRows([&](const QString& code) {
        return code.startsWith(from) ? to + code.mid(from.size()) : QString();
    });
}

void MaterialTableModel::moveMaterialsOfItem(const QString& fromCode, const QString& toCode) {
    recodeRows([&](const QString& code) { return code == fromCode ? toCode : QString(); });
}

void MaterialTableModel::moveMaterial(const MaterialRecord& material, const QString&) {
    for (int i = 0; i < m_rows.size(); ++i) {
        MaterialRecord& m = m_rows[i];
        if (m.MinuItemID == material.MinuItemID && m.KnowledgeBaseID == material.KnowledgeBaseID) {
            m.ItemID = material.ItemID;
            m.DisplayPath = material.DisplayPath;
            rowChanged(i);
        }
    }
}

void MaterialTableModel::forgetBase(const QString& baseId) {
    for (int i = int(m_rows.size()) - 1; i >= 0; --i) {
        if (m_rows[i].KnowledgeBaseID == baseId)
            removeRowAt(i);
    }
}

int MaterialTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MaterialTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MaterialTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const MaterialRecord& m = m_rows[index.row()];
    if (role == TypeRole)
        return m.DescribeFileType;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return m.MinuItemName;
    case PathColumn:
        return m.DisplayPath;
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
    case NetworkMarkColumn:
        return m.NetworkMark;
    case BaseIdColumn:
        return m.KnowledgeBaseID;
    case BaseFolderColumn:
        return m.FilesRoot;
    default:
        return {};
    }
}

QVariant MaterialTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    if (section == DescribeFileColumn)
        return m_describeFileTitle;
    static const char* const titles[] = {" ",
                                         "资料名",
                                         "资料路径",
                                         "资料ID",
                                         "项ID",
                                         "资料描述类型",
                                         "创建人",
                                         "创建时间",
                                         "",
                                         "文件存放路径",
                                         "本地网络知识库标识",
                                         "知识库ID号",
                                         "知识库主目录"};
    return QString::fromUtf8(titles[section]);
}
