#include "MaterialFolder.h"

#include "TimeText.h"
#include "config/CFolderTool.h"
#include "config/StoredPath.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {

bool isFolderOf(const QString& relativeFolder, const QString& materialId) {
    const QStringList parts =
        StoredPath(relativeFolder).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.size() == 4 && parts[0].size() == 2 && parts[1].size() == 2 &&
           parts[2].size() == 2 && parts[3] == materialId;
}

} // namespace

namespace MaterialFolder {

QString Resolve(const QString& filesRoot, const QString& relativeFolder) {
    const QString relative = StoredPath(relativeFolder);
    if (relative.trimmed().isEmpty() || filesRoot.isEmpty() || QDir::isAbsolutePath(relative))
        return {};
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (const QString& part : parts) {
        if (part == QLatin1String("..") || part == QLatin1String("."))
            return {};
    }
    const QString root = QDir::cleanPath(QDir::fromNativeSeparators(filesRoot));
    const QString folder = root + QLatin1Char('/') + parts.join(QLatin1Char('/'));

    // With no "..", the only way out of the base is a link on the way, so
    // no step below the base's folder may be one. One lstat per step: the
    // file search resolves every material's folder before it starts.
    if (!QFileInfo::exists(root))
        return {};
    QString step = root;
    for (const QString& part : parts) {
        step += QLatin1Char('/') + part;
        const QFileInfo info(step);
        if (info.isSymLink())
            return {};
        if (!info.exists())
            break;
    }
    return folder;
}

QString FileIn(const QString& filesRoot, const QString& relativeFolder, const QString& fileName) {
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String("..") ||
        fileName.contains(QLatin1Char('/')) || fileName.contains(QLatin1Char('\\')))
        return {};
    const QString folder = Resolve(filesRoot, relativeFolder);
    if (folder.isEmpty())
        return {};
    const QString file = folder + QLatin1Char('/') + fileName;
    return QFileInfo(file).isSymLink() ? QString() : file;
}

QString MoveAsideIfUsed(const QString& folder, bool& failed) {
    failed = false;
    const QFileInfo info(folder);
    if (!info.exists() || info.isSymLink() || !info.isDir() ||
        QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return {};
    // The store's clock, so the name tells the same time as the rows do.
    QString stamp = TimeText::now();
    stamp.removeIf([](QChar c) { return !c.isDigit(); });
    const QString stem = folder + QLatin1String(".stale-") + stamp;
    QString aside = stem;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = stem + QLatin1Char('-') + QString::number(n);
    if (!QDir().rename(folder, aside)) {
        failed = true;
        return {};
    }
    return aside;
}

// The folder a removal may touch, or why it may not: refused outside the
// base or for another material's folder, nothing to do when it is gone.
static std::optional<Removal> guard(const QString& filesRoot, const QString& relativeFolder,
                                    const QString& materialId, QString& folder) {
    folder = Resolve(filesRoot, relativeFolder);
    if (folder.isEmpty())
        return Removal::Refused;
    if (!CFolderTool::Exists(folder))
        return Removal::NotThere;
    if (!isFolderOf(relativeFolder, materialId))
        return Removal::Refused;
    return std::nullopt;
}

Removal Remove(const QString& filesRoot, const QString& relativeFolder, const QString& materialId) {
    QString folder;
    if (const std::optional<Removal> refused = guard(filesRoot, relativeFolder, materialId, folder))
        return *refused;
    return CFolderTool::DeleteTree(folder, true) ? Removal::Removed : Removal::Failed;
}

Removal MoveTo(const QString& filesRoot, const QString& relativeFolder, const QString& materialId,
               const QString& target, QString* movedFrom) {
    QString folder;
    if (const std::optional<Removal> refused = guard(filesRoot, relativeFolder, materialId, folder))
        return *refused;
    if (!QDir().rename(folder, target))
        return Removal::Failed;
    if (movedFrom)
        *movedFrom = folder;
    return Removal::Removed;
}

} // namespace MaterialFolder
