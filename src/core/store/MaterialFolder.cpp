#include "MaterialFolder.h"

#include "TimeText.h"
#include "config/CFolderTool.h"
#include "config/StoredPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <sys/stat.h>

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
    return Resolver(filesRoot).Resolve(relativeFolder);
}

Resolver::Resolver(const QString& filesRoot)
    : m_root(filesRoot.isEmpty() ? QString()
                                 : QDir::cleanPath(QDir::fromNativeSeparators(filesRoot))),
      m_rootExists(!m_root.isEmpty() && QFileInfo::exists(m_root)) {}

Resolver::Step Resolver::look(const QString& path) {
    const auto known = m_steps.constFind(path);
    if (known != m_steps.constEnd())
        return *known;
    struct stat st;
    Step step = Step::Missing;
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0)
        step = S_ISLNK(st.st_mode) ? Step::Link : Step::Plain;
    m_steps.insert(path, step);
    return step;
}

QString Resolver::Resolve(const QString& relativeFolder) {
    const QString folder = Join(relativeFolder);
    return !folder.isEmpty() && LeadsInside(folder) ? folder : QString();
}

QString Resolver::Join(const QString& relativeFolder) const {
    const QString relative = StoredPath(relativeFolder);
    if (relative.trimmed().isEmpty() || m_root.isEmpty() || QDir::isAbsolutePath(relative))
        return {};
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (const QString& part : parts) {
        if (part == QLatin1String("..") || part == QLatin1String("."))
            return {};
    }
    return m_root + QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool Resolver::LeadsInside(const QString& folder) {
    // With no "..", the only way out of the base is a link on the way, so
    // no step below the base's folder may be one.
    if (!m_rootExists)
        return false;
    for (qsizetype slash = folder.indexOf(QLatin1Char('/'), m_root.size() + 1);;
         slash = folder.indexOf(QLatin1Char('/'), slash + 1)) {
        const Step seen = look(slash < 0 ? folder : folder.left(slash));
        if (seen == Step::Link)
            return false;
        if (seen == Step::Missing || slash < 0)
            return true;
    }
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
