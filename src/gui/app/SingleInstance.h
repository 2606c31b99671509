#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

// One window per program folder: two windows would each rewrite the
// settings of the folder from what they hold. The first start takes a lock
// file in the program folder and listens on a local socket named after the
// folder; a later start hands its command-line files to it and ends. A lock
// left by a process that died is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);

    // True when this process is the first for the folder (it listens from
    // now on). False when another one runs: `files` have been handed to it,
    // and it was asked to come forward.
    bool claim(const QStringList& files);

    static QString ServerName(const QString& programFolder);
    static QString LockFileName() { return QStringLiteral(".keepsake-window.lock"); }

    // How long a later start tries to reach the first one, which may still
    // be starting up.
    static constexpr int kReachMs = 5000;

Q_SIGNALS:
    // A later start's files (absolute paths; none when it named none). The
    // window opens them and comes forward.
    void filesReceived(const QStringList& files);

private:
    void accept();
    bool handOver(const QStringList& files);

    QString m_programFolder;
    QLockFile m_lock;
    QLocalServer m_server;
};
