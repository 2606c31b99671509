#include "TestHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestHome::TestHome() { m_dir.setAutoRemove(true); }

QString TestHome::shippedFolder() { return QStringLiteral(KEEPSAKE_SHIPPED_FOLDER); }

ProgramPaths TestHome::paths() const { return ProgramPaths(m_dir.path(), shippedFolder()); }

void TestHome::write(const QString& relative, const QByteArray& bytes) const {
    const QString file = m_dir.filePath(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TestHome::read(const QString& relative) const {
    QFile f(m_dir.filePath(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
