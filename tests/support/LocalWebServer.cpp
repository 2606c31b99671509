#include "LocalWebServer.h"

#include <QTcpSocket>

LocalWebServer::LocalWebServer(QObject* parent) : QTcpServer(parent) {
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void LocalWebServer::put(const QString& path, const QByteArray& body,
                         const QByteArray& contentType) {
    m_resources.insert(path, {body, contentType, {}});
}

void LocalWebServer::putDownload(const QString& path, const QByteArray& body,
                                 const QString& fileName) {
    m_resources.insert(path, {body, "application/octet-stream",
                              "attachment; filename=\"" + fileName.toUtf8() + '"'});
}

QUrl LocalWebServer::url(const QString& path, const QString& host) const {
    return QUrl(QStringLiteral("http://%1:%2%3").arg(host).arg(serverPort()).arg(path));
}

void LocalWebServer::answer(QTcpSocket* socket) {
    // Requests are small and come whole in the tests; wait for the blank line.
    if (!socket->canReadLine() || !socket->peek(65536).contains("\r\n\r\n"))
        return;
    const QList<QByteArray> requestLine = socket->readLine().trimmed().split(' ');
    socket->readAll();
    const QString target = requestLine.value(1).isEmpty() ? QStringLiteral("/")
                                                          : QString::fromUtf8(requestLine.value(1));
    m_requests << target;
    const QString path = QUrl(target).path();
    const auto found = m_resources.constFind(path);
    QByteArray response;
    if (found == m_resources.cend()) {
        const QByteArray body = "<html><body>not here</body></html>";
        response = "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                   QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    } else {
        response = "HTTP/1.1 200 OK\r\nContent-Type: " + found->contentType +
                   "\r\nContent-Length: " + QByteArray::number(found->body.size());
        if (!found->disposition.isEmpty())
            response += "\r\nContent-Disposition: " + found->disposition;
        response += "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + found->body;
    }
    socket->write(response);
    socket->disconnectFromHost();
}
