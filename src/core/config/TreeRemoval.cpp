#include "TreeRemoval.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Empties the folder open as fd (taking the handle) and reports whether
// every entry went. O_NOFOLLOW on every open keeps a link swapped in for a
// folder from leading the deletion out of the tree. The entries are read
// with getdents64 into a buffer on the stack: a clear empties a hundred
// thousand small folders, and a directory stream's heap buffer for each one
// costs as much as deleting its file.
bool emptyFolder(int fd) {
    alignas(dirent64) char buffer[4096];
    bool ok = true;
    for (;;) {
        const ssize_t got = getdents64(fd, buffer, sizeof buffer);
        if (got < 0)
            ok = false;
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            bool isFolder = entry->d_type == DT_DIR;
            if (entry->d_type == DT_UNKNOWN) {
                struct stat info {};
                isFolder =
                    fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
            }
            if (isFolder) {
                const int child = openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (child < 0 || !emptyFolder(child) || unlinkat(fd, name, AT_REMOVEDIR) != 0)
                    ok = false;
            } else if (unlinkat(fd, name, 0) != 0 && errno != ENOENT) {
                ok = false;
            }
        }
    }
    close(fd);
    return ok;
}

} // namespace

namespace TreeRemoval {

bool Remove(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (lstat(native.constData(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(info.st_mode))
        return unlink(native.constData()) == 0;
    const int fd = open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool emptied = emptyFolder(fd);
    return rmdir(native.constData()) == 0 && emptied;
}

bool EmptyFolder(int folderFd) {
    const int fd = dup(folderFd);
    if (fd < 0)
        return false;
    // emptyFolder reads the folder from where the handle stands: rewind it
    // for a handle that was read before.
    lseek(fd, 0, SEEK_SET);
    return emptyFolder(fd);
}

} // namespace TreeRemoval
