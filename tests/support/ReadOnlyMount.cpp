#include "ReadOnlyMount.h"

#include <QDir>
#include <QProcess>

namespace {

QString run(const QStringList& arguments) {
    QProcess mount;
    mount.start(QStringLiteral("mount"), arguments);
    if (!mount.waitForFinished(10000))
        return QStringLiteral("mount did not run: %1").arg(mount.errorString());
    if (mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
        return QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
    return {};
}

} // namespace

ReadOnlyMount::ReadOnlyMount(const QString& folder) : m_folder(folder) {
    QDir().mkpath(folder);
    m_failure = run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=64m"), QStringLiteral("keepsake-test"), folder});
    m_mounted = m_failure.isEmpty();
}

ReadOnlyMount::~ReadOnlyMount() {
    if (m_mounted) {
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_folder});
    }
}

bool ReadOnlyMount::makeReadOnly() {
    m_failure = run({QStringLiteral("-o"), QStringLiteral("remount,ro"), m_folder});
    return m_failure.isEmpty();
}
