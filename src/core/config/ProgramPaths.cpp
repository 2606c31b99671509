#include "ProgramPaths.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString withSlash(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}
} // namespace

ProgramPaths::ProgramPaths(const QString& programFolder, const QString& shippedFolder)
    : m_programFolder(withSlash(programFolder)), m_shippedFolder(withSlash(shippedFolder)) {}

ProgramPaths ProgramPaths::forExecutable(const QString& executableFolder,
                                         const QString& homeOverride) {
    QString home = homeOverride;
    if (home.isEmpty())
        home = qEnvironmentVariable("KEEPSAKE_HOME");
    if (home.isEmpty())
        home = executableFolder;
    return ProgramPaths(QFileInfo(home).absoluteFilePath(), executableFolder);
}

QString ProgramPaths::configFolder() const {
    return m_programFolder + QStringLiteral("ResourceConfig");
}

QString ProgramPaths::mainConfigFile() const {
    return m_programFolder + QStringLiteral("ResourceConfig/ResourceConfig.ini");
}

QString ProgramPaths::dockStationFile() const {
    return m_programFolder + QStringLiteral("ResourceConfig/NotePaperConfig.ini");
}

QString ProgramPaths::searchConfigFile() const {
    return m_programFolder + QStringLiteral("ResourceConfig/SearchConfig.ini");
}

QString ProgramPaths::urlConfigFile() const {
    return m_programFolder + QStringLiteral("ResourceConfig/UserUrlConfig.ini");
}

QString ProgramPaths::layoutFile() const {
    return m_programFolder + QStringLiteral("keepsake.xml");
}

QString ProgramPaths::shipped(const QString& relative) const {
    const QString own = m_programFolder + relative;
    if (QFileInfo::exists(own))
        return own;
    return m_shippedFolder + relative;
}

QString ProgramPaths::defaultBaseFolder() const {
    return shipped(QStringLiteral("我的知识库"));
}

QString ProgramPaths::templateDatabase() const {
    return shipped(QStringLiteral("DataViaBase/Keepsake.mdb"));
}

QString ProgramPaths::helpFile(const QString& name) const {
    return shipped(QStringLiteral("Help/") + name);
}
