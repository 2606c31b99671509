#include "LocalBaseList.h"

#include "KnowledgeBaseCreator.h"
#include "Prompter.h"
#include "Workspace.h"
#include "config/ConfigFileReader.h"
#include "config/StoredPath.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Field 0 of the key's last value: a key written twice means its last value.
QString lastField0(const ConfigFileReader& reader, const char* key) {
    QStringList values;
    reader.GetValues(QStringLiteral("LOCRESOURCESET"), QLatin1String(key), values);
    return values.isEmpty() ? QString() : ConfigFileReader::Field(values.last(), 0);
}

} // namespace

QStringList LocalBaseList::ColumnTitles() {
    return {QStringLiteral("名称"), QStringLiteral("路径"), QStringLiteral("知识文件存放路径"),
            QStringLiteral("ID"), QStringLiteral("创建时间")};
}

QList<int> LocalBaseList::ColumnWidths() {
    return {160, 160, 200, 50, 130};
}

int LocalBaseList::rowCount() const {
    return int(m_workspace.config().LocalResources.size());
}

const LocalResourceRecord& LocalBaseList::rowAt(int row) const {
    return m_workspace.config().LocalResources.at(row);
}

QStringList LocalBaseList::rowTexts(int row) const {
    const LocalResourceRecord& r = rowAt(row);
    // A base that cannot be used now says so where its name would be.
    const QString name = r.Unavailable.isEmpty() ? r.ResourceName : UnavailableText(r);
    return {name, r.IniPath, r.ResourceFilePath, QString::number(r.ID), r.CreateTime};
}

std::optional<LocalBaseList::IniValues> LocalBaseList::readIni(const QString& typedPath) {
    Prompter& prompter = m_workspace.prompter();
    if (typedPath.trimmed().isEmpty()) {
        prompter.notice(QStringLiteral("请选择知识库!"));
        return std::nullopt;
    }
    IniValues values;
    values.path = QDir::cleanPath(QFileInfo(StoredPath(typedPath.trimmed())).absoluteFilePath());
    ConfigFileReader reader;
    reader.Load(values.path);
    values.name = lastField0(reader, "ResourceName");
    values.storageFolder = StoredPath(lastField0(reader, "ResourceFilePath").trimmed());
    values.createTime = lastField0(reader, "CreateTime");
    // The configuration keeps only paths ending in ".ini" and cuts a record
    // at "|": such a base would be lost at the next start.
    const bool unfit = !values.path.endsWith(QLatin1String(".ini")) ||
                       values.path.contains(QLatin1Char('|')) ||
                       values.path.contains(QLatin1Char('\n'));
    if (unfit || values.name.isEmpty() || values.storageFolder.isEmpty()) {
        prompter.error(QStringLiteral("本地知识库配置文件出错!"));
        return std::nullopt;
    }
    return values;
}

bool LocalBaseList::registered(const QString& iniPath, int exceptRow) const {
    const QList<LocalResourceRecord>& bases = m_workspace.config().LocalResources;
    for (int i = 0; i < bases.size(); ++i) {
        if (i != exceptRow && QDir::cleanPath(StoredPath(bases.at(i).IniPath)) == iniPath)
            return true;
    }
    return false;
}

bool LocalBaseList::Add(const QString& iniPath) {
    const std::optional<IniValues> ini = readIni(iniPath);
    if (!ini)
        return false;
    if (registered(ini->path, -1)) {
        m_workspace.prompter().error(QStringLiteral("该知识库已经存在，新建错误!"));
        return false;
    }
    ResourceConfigData& config = m_workspace.config();
    const int id = NewResourceID(config);
    config.LocalResources.append(
        {id, ini->name, ini->path, ini->storageFolder, ini->createTime, {}});
    m_workspace.baseSelector().append(KnowledgeBaseSelector::EntryText(ini->name, id));
    m_workspace.changeFlags().BasesChanged = true;
    return true;
}

std::optional<BaseSwitch> LocalBaseList::Modify(int row, const QString& iniPath) {
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    const std::optional<IniValues> ini = readIni(iniPath);
    if (!ini)
        return std::nullopt;
    // Two rows naming one ini file would be one base twice; the next start
    // would drop one of them.
    if (registered(ini->path, row)) {
        m_workspace.prompter().error(QStringLiteral("该知识库已经存在，修改错误!"));
        return std::nullopt;
    }
    LocalResourceRecord& record = m_workspace.config().LocalResources[row];
    record.ResourceName = ini->name;
    record.IniPath = ini->path;
    record.ResourceFilePath = ini->storageFolder;
    record.CreateTime = ini->createTime;
    m_workspace.changeFlags().BasesChanged = true;

    KnowledgeBaseSelector& selector = m_workspace.baseSelector();
    const QString entry = KnowledgeBaseSelector::EntryText(record.ResourceName, record.ID);
    selector.removeId(record.ID);
    selector.append(entry);
    return m_workspace.SwitchBase(entry);
}

std::optional<LocalBaseList::Deletion> LocalBaseList::Delete(int row) {
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    if (m_workspace.prompter().message(QStringLiteral("确定要删除该知识库的相关配置吗?"),
                                       QStringLiteral("删除知识库配置"), Prompter::Icon::Question,
                                       Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return std::nullopt;
    ResourceConfigData& config = m_workspace.config();
    const int id = config.LocalResources.at(row).ID;
    config.LocalResources.removeAt(row);
    config.DescriptFiles.removeIf([id](const DescriptFileRecord& r) { return r.BaseID == id; });
    m_workspace.baseSelector().removeId(id);
    m_workspace.changeFlags().BasesChanged = true;
    return Deletion{id, m_workspace.currentBase().ID == id};
}
