#include "TestHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestHome::TestHome() {
    m_dir.setAutoRemove(true);
}

QString TestHome::shippedFolder() {
    return QStringLiteral(KEEPSAKE_SHIPPED_FOLDER);
}

ProgramPaths TestHome::paths() const {
    return ProgramPaths(m_dir.path(), shippedFolder());
}

void TestHome::write(const QString& relative, const QByteArray& bytes) const {
    writeBytes(m_dir.filePath(relative), bytes);
}

QByteArray TestHome::read(const QString& relative) const {
    QFile f(m_dir.filePath(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
