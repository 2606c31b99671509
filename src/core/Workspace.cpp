#include "Workspace.h"

#include "Prompter.h"
#include "config/CFolderTool.h"

Workspace::Workspace(const ProgramPaths& paths, Prompter& prompter)
    : m_paths(paths), m_prompter(prompter) {}

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
