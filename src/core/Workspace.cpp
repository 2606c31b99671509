#include "Workspace.h"

#include "Prompter.h"
#include "config/CFolderTool.h"
#include "config/LocalResourceInfo.h"

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
    return true;
}

bool Workspace::saveConfiguration() { return SaveResourceConfig(m_config, m_paths, m_prompter); }

int Workspace::ConnectKnowledgeBase(const QString& databasePath) {
    if (m_database.IsOpen())
        m_database.Close();
    return m_database.Open(Database::ConnectionText(databasePath)) ? 1 : 0;
}

int Workspace::Reconnect() {
    if (m_current.ReconnectPath.isEmpty())
        return 0;
    return ConnectKnowledgeBase(m_current.ReconnectPath);
}

bool Workspace::OpenBase(int id) {
    const LocalResourceInfo info = GetLocalResourceInfo(m_config, id);
    if (info.iniFolder.isEmpty() || info.storageFolder.isEmpty())
        return false;
    const QString databasePath = info.iniFolder + QStringLiteral("Keepsake.mdb");
    if (!ConnectKnowledgeBase(databasePath)) {
        m_current = CurrentKnowledgeBase();
        m_store.ItemNames().Clear();
        m_prompter.error(QStringLiteral("本地数据库 '%1' 连接失败!").arg(databasePath));
        return false;
    }
    QString filesRoot = info.storageFolder;
    if (!filesRoot.endsWith(QLatin1Char('/')))
        filesRoot += QLatin1Char('/');
    m_current = {id, info.name, databasePath, filesRoot, databasePath};
    m_store.ItemNames().Clear();
    return true;
}

bool Workspace::OpenStartBase() {
    if (m_config.IsStartLoggResource != 1 || m_config.StartResourceID == -1)
        return false;
    return OpenBase(m_config.StartResourceID);
}
