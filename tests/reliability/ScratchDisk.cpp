#include "ScratchDisk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

const QString ScratchDisk::kFiller = QStringLiteral(".filler");

ScratchDisk::ScratchDisk(qint64 size) {
    if (!m_mountPoint.isValid()) {
        m_whyNot = QStringLiteral("no temporary folder for the mount point");
        return;
    }
    // Private propagation, or the mount would show in (and outlive us in) the
    // namespace we came from.
    if (::unshare(CLONE_NEWNS) == 0)
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    const QByteArray options = "size=" + QByteArray::number(size) + ",mode=0700";
    if (::mount("keepsake-scratch", QFile::encodeName(m_mountPoint.path()).constData(), "tmpfs",
                MS_NOSUID | MS_NODEV, options.constData()) != 0) {
        m_whyNot = QStringLiteral("cannot mount a tmpfs at %1: %2 (needs root or CAP_SYS_ADMIN)")
                       .arg(m_mountPoint.path(), QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

ScratchDisk::~ScratchDisk() {
    // Detached, so a file still open on it cannot keep the mount alive.
    if (m_mounted)
        ::umount2(QFile::encodeName(m_mountPoint.path()).constData(), MNT_DETACH);
}

QString ScratchDisk::path(const QString& relative) const {
    return m_mountPoint.filePath(relative);
}

qint64 ScratchDisk::blockSize() const {
    struct statvfs fs {};
    return ::statvfs(QFile::encodeName(path()).constData(), &fs) == 0 ? qint64(fs.f_frsize) : 4096;
}

qint64 ScratchDisk::freeBytes() const {
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(path()).constData(), &fs) != 0)
        return -1;
    return qint64(fs.f_bavail) * qint64(fs.f_frsize);
}

qint64 ScratchDisk::roomFor(const QString& fileOrFolder) const {
    const qint64 block = blockSize();
    const auto blocks = [block](qint64 size) { return (size + block - 1) / block * block; };
    if (!QFileInfo(fileOrFolder).isDir())
        return blocks(QFileInfo(fileOrFolder).size());
    qint64 room = 0;
    QDirIterator it(fileOrFolder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        room += blocks(QFileInfo(it.next()).size());
    return room;
}

bool ScratchDisk::fill(qint64 roomLeft) {
    QFile filler(path(kFiller));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray chunk(64 * 1024, 'x');
    while (filler.write(chunk) > 0) {
    }
    filler.close();
    const qint64 block = blockSize();
    const qint64 blocksLeft = (roomLeft + block - 1) / block;
    const qint64 blocksHeld = (QFileInfo(filler).size() + block - 1) / block;
    if (blocksLeft > blocksHeld || !filler.resize((blocksHeld - blocksLeft) * block))
        return false;
    return freeBytes() == blocksLeft * block;
}

void ScratchDisk::unfill() {
    QFile::remove(path(kFiller));
}

void ScratchDisk::wipe() {
    const QDir root(path());
    for (const QFileInfo& entry : root.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                     QDir::Hidden | QDir::System)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}
