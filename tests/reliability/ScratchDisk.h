#pragma once

#include <QString>
#include <QTemporaryDir>

// A small tmpfs of the test's own, so that a disk can be filled up on purpose
// without touching a real one. Mounting needs root or CAP_SYS_ADMIN; without
// it isMounted() is false and whyNot() says what failed.
//
// When the system allows it, the mount is made in a mount namespace of the
// calling thread's own: no other process ever sees it, and it goes away with
// the process even when a crash skips the unmount. Use the disk from that
// thread only.
class ScratchDisk {
public:
    explicit ScratchDisk(qint64 size);
    ~ScratchDisk();
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    const QString& whyNot() const { return m_whyNot; }
    QString path(const QString& relative = {}) const;

    // Takes every free block with a filler file, then gives back whole
    // blocks until at least `roomLeft` bytes are free. False when the free
    // space is not what was asked for.
    bool fill(qint64 roomLeft = 0);
    qint64 freeBytes() const;
    // The space copies of the file, or of every file below the folder, take
    // here: whole blocks each.
    qint64 roomFor(const QString& fileOrFolder) const;
    // Removes the filler.
    void unfill();
    // Removes everything on the disk.
    void wipe();

    // The name of the filler file at the top of the disk.
    static const QString kFiller;

private:
    qint64 blockSize() const;

    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
    QString m_whyNot;
};
