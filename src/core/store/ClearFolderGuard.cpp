#include "ClearFolderGuard.h"

#include "config/StoredPath.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cerrno>
#include <sys/stat.h>

namespace {

// Only a folder that is not there counts as gone; one that cannot be looked
// at may still hold the material's files.
bool gone() {
    return errno == ENOENT || errno == ENOTDIR;
}

} // namespace

ClearFolderGuard::ClearFolderGuard(const QString& filesRoot) {
    if (filesRoot.isEmpty())
        return;
    m_root = QFile::encodeName(QDir::cleanPath(QDir::fromNativeSeparators(filesRoot)));
    struct stat info {};
    m_rootExists = stat(m_root.constData(), &info) == 0;
}

ClearFolderGuard::State ClearFolderGuard::check(const QString& relativeFolder,
                                                const QString& materialId, QByteArray& path) {
    const QString relative = StoredPath(relativeFolder);
    if (!m_rootExists || relative.startsWith(QLatin1Char('/')))
        return State::Refused;
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() != 4 || parts[3] != materialId)
        return State::Refused;
    for (int i = 0; i < 3; ++i) {
        if (parts[i].size() != 2 || parts[i] == QLatin1String(".."))
            return State::Refused;
    }
    if (materialId == QLatin1String(".") || materialId == QLatin1String(".."))
        return State::Refused;

    QByteArray step = m_root;
    for (int i = 0; i < 3; ++i) {
        step += '/' + QFile::encodeName(parts[i]);
        if (m_safeParents.contains(step))
            continue;
        struct stat info {};
        if (lstat(step.constData(), &info) != 0)
            return gone() ? State::Missing : State::Refused;
        if (S_ISLNK(info.st_mode))
            return State::Refused;
        if (!S_ISDIR(info.st_mode))
            return State::Missing;
        m_safeParents.insert(step);
    }
    path = step + '/' + QFile::encodeName(materialId);
    struct stat info {};
    if (lstat(path.constData(), &info) != 0)
        return gone() ? State::Missing : State::Refused;
    return S_ISDIR(info.st_mode) ? State::Present : State::Refused;
}
