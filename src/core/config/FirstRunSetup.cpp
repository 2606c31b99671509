#include "FirstRunSetup.h"

#include "CFolderTool.h"
#include "ConfigFileWriter.h"
#include "ProgramPaths.h"
#include "Prompter.h"
#include "ResourceConfig.h"
#include "SettingsFileUpdate.h"
#include "TimeText.h"

#include <QFileInfo>

namespace {

const QString kBaseFolderName = QStringLiteral("我的知识库");

bool insideOrSame(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

ResourceConfigData defaultConfig(const QString& iniPath) {
    ResourceConfigData config;
    config.LocalResources.append({1, QString(), iniPath, QString(), QString(), QString()});
    for (int type = 1; type <= 4; ++type)
        config.DescriptFiles.append({type, 1});
    config.DescriptAllFiles = {{1, QStringLiteral("*.rtf")},
                               {2, QStringLiteral("*.xml")},
                               {3, QStringLiteral("*.ini")},
                               {4, QStringLiteral("*.txt")}};
    config.SearchGroups = {{1, QStringLiteral("搜索文件")}};
    config.SearchFiles = {{1, 1}, {2, 1}, {3, 1}};
    config.SearchAllFiles = {
        {1, QStringLiteral("*.txt")}, {2, QStringLiteral("*.ini")}, {3, QStringLiteral("*.xml")}};
    config.IsStartLoggResource = 1;
    config.StartResourceID = 1;
    config.SearchFileTypeGroupID = 0;
    return config;
}

// Tells the user which file or folder could not be written; the setup ends
// there, and without a word the user would not know where to look.
void reportWriteFailure(SettingsFileUpdate::Result result, const QString& file,
                        Prompter& prompter) {
    if (result == SettingsFileUpdate::Result::FolderNotMade) {
        prompter.notice(QStringLiteral("创建 '%1' 文件夹出错,请手动创建该文件夹，并设置为可写状态!")
                            .arg(QFileInfo(file).absolutePath()));
    } else if (result == SettingsFileUpdate::Result::Busy) {
        prompter.error(SettingsFileUpdate::BusyText(file));
    } else {
        prompter.error(QStringLiteral("创建 '%1' 文件失败,请手动进行创建!").arg(file));
    }
}

} // namespace

namespace FirstRunSetup {

QString cleanBaseName(const QString& typed) {
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|.\r\n");
    QString name = typed;
    for (QChar& c : name) {
        if (forbidden.contains(c))
            c = QLatin1Char(' ');
    }
    return name.trimmed();
}

QString normaliseFolder(const QString& typed) {
    if (typed.isEmpty() || typed.endsWith(QLatin1Char('/')))
        return typed;
    return typed + QLatin1Char('/');
}

bool complete(const ProgramPaths& paths, const QString& name, const QString& folder,
              Prompter& prompter) {
    const QString baseName = cleanBaseName(name);
    const QString parent = normaliseFolder(folder);
    if (baseName.isEmpty() || parent.isEmpty())
        return false;

    const QString source = paths.defaultBaseFolder();
    const QString baseFolder = parent + kBaseFolderName;
    // The default base is copied from the program's own folder; a copy into
    // that folder, or into the very base being copied, would copy onto itself.
    if (CFolderTool::ResolvedPath(parent) == CFolderTool::ResolvedPath(paths.programFolder()) ||
        insideOrSame(CFolderTool::ResolvedPath(baseFolder), CFolderTool::ResolvedPath(source))) {
        prompter.error(QStringLiteral("设置知识库文件路径失败，请重新打开软件进行设置"));
        return false;
    }

    QStringList written;
    if (!CFolderTool::CopyTree(source, baseFolder, &written)) {
        CFolderTool::RemoveCreated(written);
        // Without a word the program would just end after the dialog.
        prompter.error(QStringLiteral("由于系统文件拷贝出现问题，创建知识库文件失败!"));
        return false;
    }

    const QString now = TimeText::now();
    const QString iniPath = baseFolder + QLatin1Char('/') + baseName + QLatin1String(".ini");
    // An ini file left there by an earlier installation already names this
    // base; it is kept like every other file found in the folder.
    if (!CFolderTool::Exists(iniPath)) {
        const QString iniText = QStringLiteral("[LOCRESOURCESET]\nResourceName=") + baseName +
                                QStringLiteral("|\nResourceFilePath=") + parent + kBaseFolderName +
                                QStringLiteral("|\nCreateTime=") + now + QStringLiteral("|\n");
        // The new base's own file: nobody else writes it yet, so no lock.
        const ConfigFileWriter::Result result = ConfigFileWriter::Write(iniPath, iniText);
        if (result != ConfigFileWriter::Result::Written) {
            CFolderTool::RemoveCreated(written);
            reportWriteFailure(result == ConfigFileWriter::Result::FolderNotMade
                                   ? SettingsFileUpdate::Result::FolderNotMade
                                   : SettingsFileUpdate::Result::FileNotWritten,
                               iniPath, prompter);
            return false;
        }
        written.append(iniPath);
    }

    const QString configFile = paths.mainConfigFile();
    const SettingsFileUpdate::Result result =
        SettingsFileUpdate::Replace(configFile, ResourceConfigText(defaultConfig(iniPath)));
    if (result != SettingsFileUpdate::Result::Written) {
        CFolderTool::RemoveCreated(written);
        reportWriteFailure(result, configFile, prompter);
        return false;
    }
    return true;
}

} // namespace FirstRunSetup
