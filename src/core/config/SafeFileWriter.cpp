#include "SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace SafeFileWriter {

namespace {

QString reasonOf(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Moves a file to a name no file has, never over one: 0, or the errno.
// QFile::rename is no help here: when its own rename fails it copies into
// the target in place.
int moveToFreeName(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return 0;
    // Some file systems (NFS, NTFS through FUSE) cannot rename without
    // replacing; a hard link refuses a taken name just as well.
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(source.constData(), target.constData()) != 0)
        return errno;
    ::unlink(source.constData());
    return 0;
}

// For a file system that can do neither (FAT reached over SMB): the file is
// made in place, exclusively. A crash may leave it short there, but a file
// of that name is still never replaced.
bool createInPlace(const QString& path, const QByteArray& bytes, QString* errorText) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    const bool whole = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (whole && file.error() == QFileDevice::NoError)
        return true;
    if (errorText)
        *errorText = file.errorString();
    QFile::remove(path);
    return false;
}

} // namespace

bool write(const QString& path, const QByteArray& bytes, QString* errorText) {
    QSaveFile file(path);
    // Unbuffered, so a short write shows in write() itself: a buffered
    // QSaveFile can report success for a file cut off on a full disk.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    qint64 written = 0;
    while (ok && written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        ok = n > 0;
        written += qMax<qint64>(n, 0);
    }
    ok = ok && file.flush();
    if (!ok) {
        if (errorText)
            *errorText = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    return true;
}

bool create(const QString& path, const QByteArray& bytes, QString* errorText) {
    // Written whole under a name of its own first, so that the file's name
    // appears only with all its bytes: a crash in the middle leaves no file
    // that a later look would take for a complete one. The name is short,
    // so that a long file name does not grow past what the folder takes.
    const QString staging = QFileInfo(path).dir().filePath(
        QStringLiteral(".keepsake-%1.new")
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    if (!write(staging, bytes, errorText))
        return false;
    const int error = moveToFreeName(staging, path);
    if (error == 0)
        return true;
    QFile::remove(staging);
    if (error == EPERM || error == EOPNOTSUPP)
        return createInPlace(path, bytes, errorText);
    if (errorText)
        *errorText = reasonOf(error);
    return false;
}

} // namespace SafeFileWriter
