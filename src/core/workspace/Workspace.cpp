#include "Workspace.h"

#include "Prompter.h"
#include "config/CFolderTool.h"
#include "config/ConfigFileReader.h"
#include "config/LocalResourceInfo.h"
#include "config/ResourceConfigEdits.h"
#include "config/StoredPath.h"

#include <QDateTime>
#include <QFileInfo>

Workspace::Workspace(const ProgramPaths& paths, Prompter& prompter)
    : m_paths(paths), m_prompter(prompter), m_store(m_database, prompter) {}

bool Workspace::ensureConfigFolder() {
    const QString folder = m_paths.configFolder();
    if (CFolderTool::IsDirectory(folder) || CFolderTool::CreatePath(folder))
        return true;
    m_prompter.error(QStringLiteral("请手动创建文件夹%1,并将该文件夹设置为可写状态").arg(folder));
    return false;
}

bool Workspace::loadConfiguration(const FirstRunHandler& firstRun) {
    // A home without its own configuration starts from the shipped one, which
    // asks for the first-run setup.
    const QString file = m_paths.shipped(QStringLiteral("ResourceConfig/ResourceConfig.ini"));
    bool setupRan = false;
    const auto setup = [&] {
        setupRan = true;
        return firstRun();
    };
    if (!LoadResourceConfig(m_config, file, setup))
        return false;
    // The setup writes the home's own file; read that one, not the shipped one.
    if (setupRan && file != m_paths.mainConfigFile())
        LoadResourceConfig(m_config, m_paths.mainConfigFile(), [] { return true; });
    NormaliseResourceConfig(m_config);
    synced();
    return true;
}

void Workspace::synced() {
    m_synced = m_config;
    m_syncedStamp = fileStamp();
    m_selector.update(m_config.LocalResources);
    Q_EMIT configurationChanged();
}

QString Workspace::fileStamp() const {
    const QFileInfo file(m_paths.mainConfigFile());
    if (!file.exists())
        return {};
    return QString::number(file.lastModified().toMSecsSinceEpoch()) + QLatin1Char('/') +
           QString::number(file.size());
}

bool Workspace::updateConfiguration(const ResourceConfigChange& change) {
    const ResourceConfigData before = m_synced;
    const ResourceConfigData mine = m_config;
    ResourceConfigData written;
    const auto apply = [&](ResourceConfigData& current) {
        ApplyConfigEdits(before, mine, current);
        return change(current);
    };
    if (!UpdateResourceConfig(m_paths, m_prompter, apply, written))
        return false;
    m_config = written;
    synced();
    return true;
}

bool Workspace::saveConfiguration() {
    return updateConfiguration([](ResourceConfigData&) { return true; });
}

ResourceConfigUpdater Workspace::configUpdater() {
    return [this](const ResourceConfigChange& change) { return updateConfiguration(change); };
}

bool Workspace::reloadConfigurationIfChanged() {
    if (fileStamp() == m_syncedStamp)
        return false;
    // A plain read: writers replace the file whole, so it is never seen
    // half-written.
    ConfigFileReader reader;
    reader.Load(m_paths.mainConfigFile());
    ResourceConfigData current;
    ReadResourceConfig(current, reader);
    NormaliseResourceConfig(current);
    const ResourceConfigData fresh = current;
    ApplyConfigEdits(m_synced, m_config, current);
    m_config = current;
    synced();
    m_synced = fresh;
    return true;
}

QStringList Workspace::typeSelectorItems() const {
    return DescriptTypeSelectorItems(m_config, m_current.ID);
}

bool Workspace::ConnectKnowledgeBase(const QString& databasePath) {
    if (m_database.IsOpen())
        m_database.Close();
    return m_database.Open(databasePath);
}

bool Workspace::Reconnect() {
    if (m_current.ReconnectPath.isEmpty())
        return false;
    return ConnectKnowledgeBase(m_current.ReconnectPath);
}

bool Workspace::OpenBase(int id) {
    const LocalResourceInfo info = GetLocalResourceInfo(m_config, id);
    if (info.iniFolder.isEmpty() || info.storageFolder.isEmpty())
        return false;
    return openWith(id, info.iniFolder, info.storageFolder, info.name);
}

bool Workspace::openWith(int id, const QString& iniFolder, const QString& storageFolder,
                         const QString& name) {
    const QString databasePath = iniFolder + QStringLiteral("Keepsake.mdb");
    const bool wasOpen = m_current.IsOpen();
    if (!ConnectKnowledgeBase(databasePath)) {
        m_current = CurrentKnowledgeBase();
        m_store.ItemNames().Clear();
        m_prompter.error(QStringLiteral("本地数据库 '%1' 连接失败!").arg(databasePath));
        if (wasOpen)
            Q_EMIT baseClosed();
        return false;
    }
    QString filesRoot = storageFolder;
    if (!filesRoot.endsWith(QLatin1Char('/')))
        filesRoot += QLatin1Char('/');
    m_current = {id, name, databasePath, filesRoot, databasePath};
    m_store.ItemNames().Clear();
    if (const LocalResourceRecord* record = m_config.base(id))
        m_selector.setChosenText(KnowledgeBaseSelector::EntryText(record->ResourceName, id));
    Q_EMIT baseOpened();
    return true;
}

bool Workspace::OpenStartBase() {
    if (m_config.IsStartLoggResource != 1 || m_config.StartResourceID == -1)
        return false;
    return OpenBase(m_config.StartResourceID);
}

void Workspace::closeBase() {
    const bool wasOpen = m_current.IsOpen();
    m_current = CurrentKnowledgeBase();
    m_store.ItemNames().Clear();
    if (m_database.IsOpen())
        m_database.Close();
    if (wasOpen)
        Q_EMIT baseClosed();
}

BaseSwitch Workspace::SwitchBase(const QString& entryText) {
    using Outcome = BaseSwitch::Outcome;
    // A base that cannot be used now is not tried: the open base stays, and
    // the user learns why.
    for (const LocalResourceRecord& r : std::as_const(m_config.LocalResources)) {
        if (!r.Unavailable.isEmpty() && KnowledgeBaseSelector::EntryText(r) == entryText) {
            m_prompter.notice(UnavailableText(r));
            return {Outcome::Cancelled, entryText};
        }
    }
    if (entryText == m_selector.chosenText()) {
        if (m_prompter.message(QStringLiteral("要刷新当前知识库吗?"), QStringLiteral("警告"),
                               Prompter::Icon::Warning,
                               Prompter::Buttons::OkCancel) == Prompter::Answer::Cancel)
            return {Outcome::Cancelled, entryText};
    } else {
        m_selector.setChosenText(entryText);
    }
    // Left open behind emptied panes, the old base would still take every
    // statement a command sends while no base shows.
    closeBase();

    const LocalResourceRecord* record = nullptr;
    for (const LocalResourceRecord& r : std::as_const(m_config.LocalResources)) {
        if (KnowledgeBaseSelector::EntryText(r) == entryText) {
            record = &r;
            break;
        }
    }
    if (!record || !StoredPath(record->IniPath).contains(QLatin1Char('/')))
        return {Outcome::NotOpened, entryText};

    const LocalResourceInfo info = GetLocalResourceInfo(m_config, record->ID);
    if (info.storageFolder.isEmpty()) {
        m_prompter.error(QStringLiteral("该知识库知识库文件存放目录为空!"));
        return {Outcome::NotOpened, entryText};
    }
    if (info.iniFolder.isEmpty()) {
        m_prompter.error(QStringLiteral("启动知识库失败!"));
        return {Outcome::NotOpened, entryText};
    }
    if (!openWith(record->ID, info.iniFolder, info.storageFolder, info.name))
        return {Outcome::NotOpened, entryText};
    return {Outcome::Opened, entryText};
}
