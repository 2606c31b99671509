#include "DatabaseFileCheck.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace {

constexpr int kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3"; // followed by a NUL byte

quint32 bigEndian32(const QByteArray& b, int at) {
    return (quint32(uchar(b[at])) << 24) | (quint32(uchar(b[at + 1])) << 16) |
           (quint32(uchar(b[at + 2])) << 8) | quint32(uchar(b[at + 3]));
}

} // namespace

bool DatabaseFileCheck::IsReadOnlyPlace(const QString& path) {
    // access() rather than the permission bits: a superuser may write any
    // folder but not one on a read-only mount.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    return ::access(folder.constData(), W_OK) != 0 && errno != ENOENT;
}

QString DatabaseFileCheck::FaultOf(const QString& path, bool readOnlyPlace) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("The database file '%1' does not exist.").arg(path);
    if (info.isDir())
        return QStringLiteral("'%1' is a folder, not a database file.").arg(path);
    if (!info.isFile())
        return QStringLiteral("'%1' is not a regular file.").arg(path);
    if (!info.isReadable())
        return QStringLiteral("The database file '%1' cannot be read.").arg(path);
    // The owner's write bit stands for the read-only attribute: a superuser
    // could still write the file, but the user marked it not to be changed.
    if (!readOnlyPlace) {
        if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))
            return QStringLiteral("The database file '%1' is read-only.").arg(path);
        // The WAL index and the journal live beside the file.
        if (!QFileInfo(info.absolutePath()).isWritable())
            return QStringLiteral("The folder of '%1' is read-only.").arg(path);
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The database file '%1' cannot be read.").arg(path);
    const qint64 size = file.size();
    if (size == 0)
        return QStringLiteral("The database file '%1' is empty.").arg(path);
    const QByteArray header = file.read(kHeaderSize);
    if (header.size() < kHeaderSize || !header.startsWith(QByteArray(kMagic, sizeof kMagic)))
        return QStringLiteral("'%1' is not a database file.").arg(path);

    quint32 pageSize = (quint32(uchar(header[16])) << 8) | quint32(uchar(header[17]));
    if (pageSize == 1)
        pageSize = 65536;
    const bool pageSizeValid = pageSize >= 512 && pageSize <= 65536 && !(pageSize & (pageSize - 1));
    const bool versionsValid =
        (header[18] == 1 || header[18] == 2) && (header[19] == 1 || header[19] == 2);
    const bool fractionsValid = header[21] == 64 && header[22] == 32 && header[23] == 32;
    if (!pageSizeValid || !versionsValid || !fractionsValid)
        return QStringLiteral("'%1' is not a database file.").arg(path);
    if (size < qint64(pageSize))
        return QStringLiteral("The database file '%1' is truncated.").arg(path);

    // The page count in the header is trustworthy only when it was written
    // with the current change counter. While another connection has the file
    // open in WAL mode (a "-wal" file exists) a checkpoint may have written
    // the first page before extending the file, so the count is not checked.
    const quint32 pages = bigEndian32(header, 28);
    const bool countValid = pages != 0 && bigEndian32(header, 24) == bigEndian32(header, 92);
    if (countValid && !QFileInfo::exists(path + QStringLiteral("-wal")) &&
        size < qint64(pages) * pageSize)
        return QStringLiteral("The database file '%1' is truncated.").arg(path);
    return {};
}
