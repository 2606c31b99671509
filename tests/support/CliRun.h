#pragma once

#include <QProcess>
#include <QStringList>

// keepsake-cli as a script runs it on one program folder: its rows on
// stdout, its messages on stderr and its exit status (-1: it hung).
struct CliRun {
    QString home;
    QString out, err;

    int operator()(const QStringList& args) {
        QProcess cli;
        cli.start(QStringLiteral(KEEPSAKE_CLI), QStringList{QStringLiteral("--home"), home} + args);
        if (!cli.waitForFinished(30000))
            return -1;
        out = QString::fromUtf8(cli.readAllStandardOutput());
        err = QString::fromUtf8(cli.readAllStandardError());
        return cli.exitCode();
    }
    QStringList lines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};
