#include "CFolderTool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Entries of a folder as the tree walks see them: hidden names included,
// since a name with a leading "." is only hidden, not special.
QFileInfoList entriesOf(const QString& folder, QDir::Filters extra = {}) {
    return QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                      extra);
}

bool isInsideOrSame(const QString& path, const QString& folder) {
    return path == folder ||
           path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

bool copyContents(const QString& source, const QString& target, QStringList* created) {
    for (const QFileInfo& entry : entriesOf(source)) {
        const QString to = target + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            // A linked folder may lead back into the tree; it is not copied.
            if (entry.isSymLink())
                continue;
            if (!CFolderTool::IsDirectory(to)) {
                if (CFolderTool::Exists(to) || !QDir().mkdir(to))
                    return false;
                if (created)
                    created->append(to);
            }
            if (!copyContents(entry.filePath(), to, created))
                return false;
            continue;
        }
        if (CFolderTool::Exists(to))
            continue;
        if (!QFile::copy(entry.filePath(), to))
            return false;
        if (created)
            created->append(to);
        // Shipped files may be read-only where they are installed; the copy
        // belongs to the user, who must be able to change it.
        QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::ReadOwner |
                                      QFileDevice::WriteOwner);
    }
    return true;
}

} // namespace

bool CFolderTool::IsDirectory(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool CFolderTool::Exists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool CFolderTool::CreatePath(const QString& path, QStringList* created) {
    if (path.isEmpty())
        return false;
    if (IsDirectory(path))
        return true;

    QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    while (!Exists(folder)) {
        missing.prepend(folder);
        const qsizetype cut = folder.lastIndexOf(QLatin1Char('/'));
        if (cut <= 0)
            break;
        folder.truncate(cut);
    }
    for (const QString& f : missing) {
        if (!QDir().mkdir(f)) {
            // Another process may have made it since we looked; then it is
            // there to use, but not ours to take back.
            if (IsDirectory(f))
                continue;
            return false;
        }
        if (created)
            created->append(f);
    }
    return IsDirectory(path);
}

bool CFolderTool::DeleteTree(const QString& path, bool removeSelf) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        // Emptying a folder through a link would delete what the link points
        // at; only the link itself is ours to remove.
        return removeSelf && QFile::remove(path);
    }
    if (!info.isDir())
        return false;

    bool ok = true;
    for (const QFileInfo& entry : entriesOf(path, QDir::System)) {
        if (entry.isDir() && !entry.isSymLink())
            ok = DeleteTree(entry.filePath(), true) && ok;
        else
            ok = QFile::remove(entry.filePath()) && ok;
    }
    if (removeSelf)
        ok = QDir().rmdir(path) && ok;
    return ok;
}

QString CFolderTool::ResolvedPath(const QString& path) {
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const qsizetype cut = existing.lastIndexOf(QLatin1Char('/'));
        if (cut <= 0)
            return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        rest.prepend(existing.mid(cut));
        existing.truncate(cut);
    }
    return QDir::cleanPath(QFileInfo(existing).canonicalFilePath() + rest);
}

bool CFolderTool::CopyTree(const QString& source, const QString& target, QStringList* created) {
    if (!IsDirectory(source) || target.isEmpty())
        return false;
    // Copying a folder into itself would walk the copies it makes.
    if (isInsideOrSame(ResolvedPath(target), ResolvedPath(source)))
        return false;
    if (!CreatePath(target, created))
        return false;
    return copyContents(source, QDir::cleanPath(target), created);
}

void CFolderTool::RemoveCreated(const QStringList& created) {
    for (auto it = created.crbegin(); it != created.crend(); ++it) {
        const QFileInfo info(*it);
        if (info.isDir() && !info.isSymLink())
            QDir().rmdir(*it);
        else
            QFile::remove(*it);
    }
}
