#include "CatalogueClear.h"

#include "CategoryCode.h"
#include "ClearFolderGuard.h"
#include "KnowledgeStore.h"
#include "MaterialFolder.h"
#include "SilentPrompter.h"
#include "config/TreeRemoval.h"
#include "db/Database.h"
#include "db/Transaction.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

const QString kItemFailed = QStringLiteral("清除知识库项失败!");
const QString kInUse = QStringLiteral("有文件正在被使用，无法删除!");

// The clear may run on a worker thread, which must never put a question on
// screen; every failure is told through the result instead.
QString partialText(qsizetype done, int total) {
    return QStringLiteral("清除知识库项时只删除了部分资料文件夹（%1/%2），其余资料保留在回收站中。")
        .arg(done)
        .arg(total);
}

QString materialFailedText(const QString& name) {
    return QStringLiteral("清除资料 '%1' 失败!").arg(name);
}

struct MovedFolder {
    QString from;
    QString to;
};

// A folder moved by its name from its open parent into the run's folder.
struct MovedAt {
    int parentFd;
    QByteArray name;
};

// Rows that could not be deleted get their folders back.
void putBack(const QList<MovedFolder>& moved) {
    for (const MovedFolder& m : moved)
        QDir().rename(m.to, m.from);
}

// A folder of its own for each run, so that two clears never share names.
QString runFolderIn(const QString& trash) {
    return trash + QStringLiteral("/%1-%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

CatalogueClear::CatalogueClear(Database& database, const QString& filesRoot)
    : m_database(database), m_filesRoot(filesRoot) {}

QString CatalogueClear::TrashFolderOf(const QString& filesRoot) {
    return QDir::cleanPath(QDir::fromNativeSeparators(filesRoot)) + QLatin1String("/.clearing");
}

ClearResult CatalogueClear::Run(const ClearTarget& target) {
    ClearResult result;
    result.Target = target;
    if (target.IsMaterial())
        clearMaterial(result);
    else
        clearItem(result);
    return result;
}

void CatalogueClear::recoverTrash() {
    const QDir trash(TrashFolderOf(m_filesRoot));
    if (!trash.exists())
        return;
    SilentPrompter prompter;
    KnowledgeStore store(m_database, prompter);
    const auto entries = QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks;
    for (const QString& run : trash.entryList(entries)) {
        const QDir runFolder(trash.filePath(run));
        for (const QString& id : runFolder.entryList(entries)) {
            const QString entry = runFolder.filePath(id);
            MaterialRecord material;
            if (!store.GetMaterial(id, material))
                continue; // cannot tell: leave it
            if (material.MinuItemID.isEmpty()) {
                TreeRemoval::Remove(entry); // its row went: the clear got that far
                continue;
            }
            const QString home = MaterialFolder::Resolve(m_filesRoot, material.MinuItemFilePath);
            if (!home.isEmpty() && !QFileInfo::exists(home) &&
                QDir().mkpath(QFileInfo(home).path()))
                QDir().rename(entry, home);
        }
        trash.rmdir(run);
    }
    trash.rmdir(trash.path());
}

void CatalogueClear::clearMaterial(ClearResult& result) {
    const QString id = result.Target.MaterialId;
    result.Total = 1;
    bool numeric = false;
    const qint64 row = id.toLongLong(&numeric);
    SilentPrompter prompter;
    KnowledgeStore store(m_database, prompter);
    Transaction transaction(m_database);
    MaterialRecord material;
    if (!numeric || !transaction.IsActive() || !store.GetMaterial(id, material) ||
        material.MinuItemID.isEmpty()) {
        result.Failure = materialFailedText(result.Target.Name);
        return;
    }
    recoverTrash();
    const QString runFolder = runFolderIn(TrashFolderOf(m_filesRoot));
    QList<MovedFolder> moved;
    MovedFolder folder{{}, runFolder + QLatin1Char('/') + id};
    QDir().mkpath(runFolder);
    switch (MaterialFolder::MoveTo(m_filesRoot, material.MinuItemFilePath, id, folder.to,
                                   &folder.from)) {
    case MaterialFolder::Removal::Removed:
        moved.append(folder);
        break;
    case MaterialFolder::Removal::NotThere:
        break;
    default:
        QDir().rmdir(runFolder);
        result.Failure = kInUse;
        return;
    }
    if (!store.DeleteMaterialRows({row}) || !transaction.Commit()) {
        transaction.Rollback();
        putBack(moved);
        QDir().rmdir(runFolder);
        result.Failure = materialFailedText(material.MinuItemName);
        return;
    }
    TreeRemoval::Remove(runFolder);
    QDir().rmdir(TrashFolderOf(m_filesRoot));
    result.ClearedIds.append(row);
    result.MaterialCleared = true;
    if (m_progress)
        m_progress(1, 1);
}

void CatalogueClear::clearItem(ClearResult& result) {
    const QString code = result.Target.ItemCode;
    // A malformed code would widen the patterns that find what lies below.
    if (!CategoryCode::IsWellFormed(code) || CategoryCode::IsWholeBase(code)) {
        result.Failure = kItemFailed;
        return;
    }
    SilentPrompter prompter;
    KnowledgeStore store(m_database, prompter);
    // What to clear is read under the write lock, so nothing is filed under
    // the item between the read and the deletes of the first batch.
    auto transaction = std::make_unique<Transaction>(m_database);
    QList<MaterialRecord> materials;
    if (!transaction->IsActive() || !store.LoadMaterialFoldersUnder(code, materials)) {
        result.Failure = kItemFailed;
        return;
    }
    recoverTrash();
    result.Total = int(materials.size());
    const QString trash = TrashFolderOf(m_filesRoot);
    const QString runFolder = runFolderIn(trash);
    if (!materials.isEmpty() && !QDir().mkpath(runFolder)) {
        result.Failure = partialText(0, result.Total);
        return;
    }

    ClearFolderGuard guard(m_filesRoot);
    const int runFd = open(QFile::encodeName(runFolder).constData(),
                           O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (!materials.isEmpty() && runFd < 0) {
        QDir().rmdir(runFolder);
        result.Failure = partialText(0, result.Total);
        return;
    }
    qsizetype next = 0;
    bool folderFailed = false;
    for (;;) {
        QList<qint64> ids;
        QList<MovedAt> moved;
        guard.forget();
        while (next < materials.size() && ids.size() < m_batchSize) {
            if (stopRequested()) {
                result.Stopped = true;
                break;
            }
            const MaterialRecord& m = materials[next];
            bool numeric = false;
            const qint64 id = m.MinuItemID.toLongLong(&numeric);
            int parentFd = -1;
            QByteArray name;
            const auto state = numeric
                                   ? guard.check(m.MinuItemFilePath, m.MinuItemID, parentFd, name)
                                   : ClearFolderGuard::State::Refused;
            if (state == ClearFolderGuard::State::Present) {
                if (renameat(parentFd, name.constData(), runFd, name.constData()) != 0) {
                    folderFailed = true;
                    break;
                }
                moved.append({parentFd, name});
            } else if (state == ClearFolderGuard::State::Refused) {
                folderFailed = true; // the first that will not go stops the clear
                break;
            }
            ids.append(id);
            ++next;
        }
        const bool last = next == materials.size() && !folderFailed && !result.Stopped;
        const bool committed = store.DeleteMaterialRows(ids) &&
                               (!last || store.DeleteItems(code)) && transaction->Commit();
        if (!committed) {
            transaction.reset(); // rolls back
            for (const MovedAt& m : std::as_const(moved))
                renameat(runFd, m.name.constData(), m.parentFd, m.name.constData());
            break;
        }
        transaction.reset();
        // The rows are gone for good; so go their folders, all of the batch
        // at once. What will not go now stays in the hidden folder, where the
        // next clear finds it without a row and deletes it.
        if (!moved.isEmpty())
            TreeRemoval::EmptyFolder(runFd);
        result.ClearedIds += ids;
        if (m_progress)
            m_progress(int(result.ClearedIds.size()), result.Total);
        if (last) {
            result.ItemCleared = true;
            break;
        }
        if (folderFailed || result.Stopped)
            break;
        transaction = std::make_unique<Transaction>(m_database);
        if (!transaction->IsActive())
            break;
    }
    if (runFd >= 0)
        close(runFd);
    QDir().rmdir(runFolder);
    QDir().rmdir(trash);
    if (result.ItemCleared)
        return;
    if (result.Stopped)
        result.Failure = QStringLiteral("清除已停止：已清除 %1/%2 份资料，其余资料保留在回收站中。")
                             .arg(result.ClearedIds.size())
                             .arg(result.Total);
    else
        result.Failure =
            result.Total == 0 ? kItemFailed : partialText(result.ClearedIds.size(), result.Total);
}
