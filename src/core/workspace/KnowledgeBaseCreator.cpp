#include "KnowledgeBaseCreator.h"

#include "Prompter.h"
#include "TimeText.h"
#include "Workspace.h"
#include "bases/CategoryTreeImport.h"
#include "bases/KnowledgeBaseSelector.h"
#include "config/CFolderTool.h"
#include "config/ConfigFileWriter.h"
#include "config/FirstRunSetup.h"
#include "config/SafeFileWriter.h"
#include "config/StoredPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kDatabaseName = QStringLiteral("Keepsake.mdb");
const char* const kSidecars[] = {"-wal", "-shm", "-journal"};

// What one creation has put on disk, so that a failure takes back exactly
// that: files and folders it made, and the earlier content of an ini file it
// replaced.
class Written {
public:
    explicit Written(const QString& databasePath) : m_databasePath(databasePath) {
        for (const char* suffix : kSidecars)
            m_sidecarsBefore.append(CFolderTool::Exists(databasePath + QLatin1String(suffix)));
    }
    QStringList* created() { return &m_created; }
    // Only once the file holds the new content: while the write may still
    // fail, the file keeps its old content without help.
    void replaced(const QString& path, const QByteArray& oldContent) {
        m_oldContent = std::make_pair(path, oldContent);
    }
    // The message for an ini file whose old content could not be put back,
    // or empty when everything was taken back.
    QString undo() {
        // The database's own files come and go with its connections.
        for (int i = 0; i < int(std::size(kSidecars)); ++i) {
            if (!m_sidecarsBefore.at(i))
                QFile::remove(m_databasePath + QLatin1String(kSidecars[i]));
        }
        // Removed first, so that a disk filled by the copied database has
        // room again for the old content.
        CFolderTool::RemoveCreated(m_created);
        QString reason;
        if (!m_oldContent ||
            SafeFileWriter::write(m_oldContent->first, m_oldContent->second, &reason))
            return {};
        return QStringLiteral("无法恢复文件 '%1' 原来的内容!\n%2").arg(m_oldContent->first, reason);
    }

private:
    QString m_databasePath;
    QList<bool> m_sidecarsBefore;
    QStringList m_created;
    std::optional<std::pair<QString, QByteArray>> m_oldContent;
};

// The content of a file, or nothing when there is no file to read.
std::optional<QByteArray> contentOf(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// A "|" or a line break would cut the records that name the folder; a
// backslash would be read back as a slash, naming another folder.
bool unfitForRecords(const QString& path) {
    return path.contains(QLatin1Char('|')) || path.contains(QLatin1Char('\n')) ||
           path.contains(QLatin1Char('\r')) || path.contains(QLatin1Char('\\'));
}

bool sameFile(const QString& a, const QString& b) {
    return QDir::cleanPath(StoredPath(a)) == QDir::cleanPath(StoredPath(b));
}

} // namespace

int NewResourceID(const ResourceConfigData& config) {
    int highest = config.HighestResourceID;
    for (const LocalResourceRecord& base : config.LocalResources)
        highest = std::max(highest, base.ID);
    return highest + 1;
}

std::optional<int> KnowledgeBaseCreator::CreateBlankBase(const QString& name,
                                                         const QString& folder) {
    Prompter& prompter = m_workspace.prompter();
    if (FirstRunSetup::cleanBaseName(name).isEmpty()) {
        prompter.error(QStringLiteral("请输入知识库名称!"));
        return std::nullopt;
    }
    if (folder.trimmed().isEmpty()) {
        prompter.error(QStringLiteral("请选择知识库存放路径!"));
        return std::nullopt;
    }
    return create(name, folder, {});
}

std::optional<int> KnowledgeBaseCreator::CreateBaseFromFile(const QString& treeFile,
                                                            const QString& name,
                                                            const QString& folder) {
    Prompter& prompter = m_workspace.prompter();
    if (treeFile.trimmed().isEmpty()) {
        prompter.error(QStringLiteral("请选择知识库模板文件!"));
        return std::nullopt;
    }
    if (FirstRunSetup::cleanBaseName(name).isEmpty()) {
        prompter.error(QStringLiteral("请输入知识库名称!"));
        return std::nullopt;
    }
    if (folder.trimmed().isEmpty()) {
        prompter.error(QStringLiteral("请选择知识库文件存放路径!"));
        return std::nullopt;
    }
    // A mistyped file would give a blank base without a word.
    QFile file(treeFile);
    if (!QFileInfo(treeFile).isFile() || !file.open(QIODevice::ReadOnly)) {
        prompter.error(QStringLiteral("无法读取知识库文件 '%1'!").arg(treeFile));
        return std::nullopt;
    }
    return create(name, folder, treeFile);
}

std::optional<int> KnowledgeBaseCreator::create(const QString& typedName,
                                                const QString& typedFolder,
                                                const QString& treeFile) {
    Prompter& prompter = m_workspace.prompter();
    const ResourceConfigData& config = m_workspace.config();
    const QString name = FirstRunSetup::cleanBaseName(typedName);
    // Absolute, so the records name the same place whatever the working
    // folder; without the trailing "/" the records never carry.
    const QString folder = QDir::cleanPath(QFileInfo(typedFolder.trimmed()).absoluteFilePath());
    if (unfitForRecords(folder)) {
        prompter.error(QStringLiteral("知识库存放路径 '%1' 中不能有 '|'、'\\' 或换行,请另选路径!")
                           .arg(folder));
        return std::nullopt;
    }
    const QDir dir(folder);
    const QString databasePath = dir.filePath(kDatabaseName);
    const QString iniPath = dir.filePath(name + QLatin1String(".ini"));

    // Another base lives there: its database is never replaced.
    if (CFolderTool::Exists(databasePath)) {
        prompter.error(
            QStringLiteral("'%1' 中已经有知识库文件 Keepsake.mdb,请另选一个文件夹!").arg(folder));
        return std::nullopt;
    }
    // Known before anything is written, so nothing is left behind for it.
    if (std::any_of(config.LocalResources.cbegin(), config.LocalResources.cend(),
                    [&](const LocalResourceRecord& r) { return sameFile(r.IniPath, iniPath); })) {
        prompter.error(QStringLiteral("新建的知识库已经存在!"));
        return std::nullopt;
    }

    Written written(databasePath);
    // A file that could not be put back is said after the failure that
    // led to taking it back.
    const auto fail = [&](const QString& text) {
        const QString notRestored = written.undo();
        if (!text.isEmpty())
            prompter.error(text);
        if (!notRestored.isEmpty())
            prompter.error(notRestored);
        return std::nullopt;
    };
    const QString copyFailed = QStringLiteral("由于系统文件拷贝出现问题，创建知识库文件失败!");
    if (!CFolderTool::CreatePath(folder, written.created()) ||
        !QFile::copy(m_workspace.paths().templateDatabase(), databasePath))
        return fail(copyFailed);
    written.created()->append(databasePath);
    // The shipped template may be read-only; the base's database must not.
    if (!QFile::setPermissions(databasePath, QFile::permissions(databasePath) |
                                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return fail(copyFailed);

    const QString now = TimeText::now();
    const bool iniExisted = CFolderTool::Exists(iniPath);
    const std::optional<QByteArray> oldIni = iniExisted ? contentOf(iniPath) : std::nullopt;
    // The new base's own file: nobody else writes it yet, so no lock.
    if (ConfigFileWriter::Write(iniPath, QStringLiteral("[LOCRESOURCESET]\nResourceName=") + name +
                                             QStringLiteral("|\nResourceFilePath=") + folder +
                                             QStringLiteral("|\nCreateTime=") + now +
                                             QStringLiteral("|\n")) !=
        ConfigFileWriter::Result::Written)
        return fail(QStringLiteral("创建 '%1' 文件失败,请手动进行创建!").arg(iniPath));
    if (!iniExisted)
        written.created()->append(iniPath);
    else if (oldIni)
        written.replaced(iniPath, *oldIni);

    if (!treeFile.isEmpty() &&
        CategoryTreeImport::ImportTree(treeFile, databasePath, prompter, *m_runner) ==
            CategoryTreeImport::Result::Stopped) {
        const QString notRestored = written.undo();
        prompter.notice(QStringLiteral("已停止导入，知识库没有创建。"));
        if (!notRestored.isEmpty())
            prompter.error(notRestored);
        return std::nullopt;
    }

    // The ID and the check for a twin are taken from the file as it is now,
    // under its lock: another process may have registered bases meanwhile.
    int id = -1;
    bool twin = false;
    const bool saved = m_workspace.updateConfiguration([&](ResourceConfigData& current) {
        twin =
            std::any_of(current.LocalResources.cbegin(), current.LocalResources.cend(),
                        [&](const LocalResourceRecord& r) { return sameFile(r.IniPath, iniPath); });
        if (twin)
            return false;
        id = NewResourceID(current);
        current.LocalResources.append({id, name, iniPath, folder, now, {}});
        current.HighestResourceID = id;
        return true;
    });
    if (!saved) {
        // Unsaved, the base would be forgotten at the next start while its
        // files stayed; it is taken back whole (the save said why).
        return fail(twin ? QStringLiteral("新建的知识库已经存在!") : QString());
    }
    m_workspace.changeFlags().BasesChanged = true;
    return id;
}
