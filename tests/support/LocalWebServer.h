#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTcpServer>
#include <QUrl>

// A small HTTP server on 127.0.0.1 for the browser's tests: it answers GET
// requests with the pages put into it, so that no test depends on a network.
// The port is chosen by the system; a page is reached as
// url("/path") or, for a second site on the same server, as
// url("/path", "localhost").
class LocalWebServer : public QTcpServer {
    Q_OBJECT
public:
    explicit LocalWebServer(QObject* parent = nullptr);

    // Serves `body` at `path` with the content type given; a later call for
    // the same path replaces it.
    void put(const QString& path, const QByteArray& body,
             const QByteArray& contentType = "text/html; charset=utf-8");
    // Serves the path as a download ("Content-Disposition: attachment").
    void putDownload(const QString& path, const QByteArray& body, const QString& fileName);

    QUrl url(const QString& path, const QString& host = QStringLiteral("127.0.0.1")) const;
    // The paths asked for, in order, with their query.
    const QStringList& requests() const { return m_requests; }

private:
    struct Resource {
        QByteArray body;
        QByteArray contentType;
        QByteArray disposition;
    };
    void answer(class QTcpSocket* socket);

    QMap<QString, Resource> m_resources;
    QStringList m_requests;
};
