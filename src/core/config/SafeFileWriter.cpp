#include "SafeFileWriter.h"

#include <QSaveFile>

namespace SafeFileWriter {

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

} // namespace SafeFileWriter
