#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent)
    : QObject(parent),
      m_programFolder(QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath())),
      m_lock(QDir(m_programFolder).filePath(LockFileName())) {
    // A window holds the lock for its whole run, so age never makes it
    // stale; only the death of its process does, which QLockFile sees.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

QString SingleInstance::ServerName(const QString& programFolder) {
    const QString folder = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("keepsake-") + QString::fromLatin1(hash);
}

bool SingleInstance::claim(const QStringList& files) {
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError) {
            // Even when the window cannot be reached, a second window
            // would still overwrite its settings: this start ends.
            if (!handOver(files))
                qWarning("Keepsake is already running on %s and does not answer",
                         qPrintable(m_programFolder));
            return false;
        }
        // A folder the lock cannot be made in (read-only): no second window
        // can lock it either, so this one goes on alone.
        return true;
    }
    const QString name = ServerName(m_programFolder);
    // The socket of a window that died is still there; the lock says it is
    // nobody's now.
    QLocalServer::removeServer(name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(name);
    return true;
}

bool SingleInstance::handOver(const QStringList& files) {
    const QString name = ServerName(m_programFolder);
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    // The first window may still be starting: it locks before it listens.
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(500))
            break;
        if (clock.elapsed() > kReachMs)
            return false;
        QThread::msleep(100);
    }
    QByteArray message;
    for (const QString& file : files)
        message += QFileInfo(file).absoluteFilePath().toUtf8() + '\n';
    message += '\n'; // the end, also of an empty list
    socket.write(message);
    const bool sent = socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(1000);
    return sent;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Lines of paths up to an empty line; a socket that closes
            // before it is dropped with what it sent.
            socket->setProperty("received",
                                socket->property("received").toByteArray() + socket->readAll());
            const QByteArray received = socket->property("received").toByteArray();
            if (!received.endsWith("\n\n") && received != "\n")
                return;
            QStringList files;
            for (const QByteArray& line : received.split('\n')) {
                if (!line.isEmpty())
                    files.append(QString::fromUtf8(line));
            }
            socket->setProperty("received", QByteArray());
            Q_EMIT filesReceived(files);
        });
    }
}
