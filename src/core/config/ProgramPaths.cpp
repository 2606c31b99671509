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
    const QString installed = installedShippedFolder(executableFolder);
    const QString shippedFolder = installed.isEmpty() ? executableFolder : installed;
    QString home = homeOverride;
    if (home.isEmpty())
        home = qEnvironmentVariable("KEEPSAKE_HOME");
    if (home.isEmpty() && !installed.isEmpty()) {
        home = userDataHome();
        // The first start writes its settings here before anything else
        // would make the folder; a failure shows when that write fails.
        QDir().mkpath(home);
    }
    if (home.isEmpty())
        home = executableFolder;
    return ProgramPaths(QFileInfo(home).absoluteFilePath(), shippedFolder);
}

QString ProgramPaths::installedShippedFolder(const QString& executableFolder) {
    const QString folder = QDir::cleanPath(executableFolder + QStringLiteral("/../share/keepsake"));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString ProgramPaths::userDataHome() {
    // A relative XDG_DATA_HOME is meant to be ignored, as other desktop programs do.
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data) + QStringLiteral("/Keepsake");
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
