#include "ClearFolderGuard.h"

#include "config/StoredPath.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMissing = -1;
constexpr int kRefused = -2;

// Only a folder that is not there counts as gone; one that cannot be looked
// at may still hold the material's files.
bool gone() {
    return errno == ENOENT || errno == ENOTDIR;
}

} // namespace

ClearFolderGuard::ClearFolderGuard(const QString& filesRoot) {
    if (filesRoot.isEmpty())
        return;
    const QByteArray root =
        QFile::encodeName(QDir::cleanPath(QDir::fromNativeSeparators(filesRoot)));
    m_rootFd = open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

ClearFolderGuard::~ClearFolderGuard() {
    forget();
    if (m_rootFd >= 0)
        close(m_rootFd);
}

void ClearFolderGuard::forget() {
    for (int fd : std::as_const(m_open)) {
        if (fd >= 0)
            close(fd);
    }
    m_open.clear();
}

int ClearFolderGuard::openStep(int parentFd, const QByteArray& path, const QByteArray& segment) {
    const auto known = m_open.constFind(path);
    if (known != m_open.cend())
        return *known;
    int fd = openat(parentFd, segment.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        fd = errno == ENOENT ? kMissing : errno == ENOTDIR ? kMissing : kRefused;
    // A link where a folder should be: O_NOFOLLOW fails with ELOOP, or with
    // ENOTDIR on some systems, so look again before calling it missing.
    if (fd == kMissing) {
        struct stat info {};
        if (fstatat(parentFd, segment.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISLNK(info.st_mode))
            fd = kRefused;
    }
    m_open.insert(path, fd);
    return fd;
}

ClearFolderGuard::State ClearFolderGuard::check(const QString& relativeFolder,
                                                const QString& materialId, int& parentFd,
                                                QByteArray& name) {
    const QString relative = StoredPath(relativeFolder);
    if (m_rootFd < 0 || relative.startsWith(QLatin1Char('/')))
        return State::Refused;
    const QList<QStringView> parts =
        QStringView(relative).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() != 4 || parts[3] != materialId || materialId == QLatin1String(".") ||
        materialId == QLatin1String(".."))
        return State::Refused;
    int fd = m_rootFd;
    QByteArray path;
    for (int i = 0; i < 3; ++i) {
        if (parts[i].size() != 2 || parts[i] == QLatin1String(".."))
            return State::Refused;
        const QByteArray segment = QFile::encodeName(parts[i].toString());
        path += segment + '/';
        fd = openStep(fd, path, segment);
        if (fd == kMissing)
            return State::Missing;
        if (fd == kRefused)
            return State::Refused;
    }
    name = QFile::encodeName(materialId);
    struct stat info {};
    if (fstatat(fd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return gone() ? State::Missing : State::Refused;
    parentFd = fd;
    return S_ISDIR(info.st_mode) ? State::Present : State::Refused;
}
