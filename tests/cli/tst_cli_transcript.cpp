#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "TimeText.h"
#include "config/FirstRunSetup.h"
#include "db/Database.h"
#include "store/KnowledgeStore.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

// Every command of keepsake-cli replayed on one program folder, at one fixed
// time, and the whole of what it printed compared with the transcript kept
// beside this file: what scripts read must not change while the code under
// it is rearranged. After a change meant to alter the output, run the test
// with KEEPSAKE_WRITE_TRANSCRIPT=1 to write the new transcript, and read its
// difference before committing it.
class TestCliTranscript : public QObject {
    Q_OBJECT

    static constexpr const char* kTime = "2026-03-04 05:06:07";

    static QString sourceFile(const char* name) {
        return QStringLiteral(KEEPSAKE_TRANSCRIPT_DIR "/") + QLatin1String(name);
    }

    static QString readText(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // A line of the script: arguments separated by tabs, "{home}" standing
    // for the program folder.
    static QString runLine(const QString& line, const QString& home) {
        QStringList args = line.split(QLatin1Char('\t'));
        for (QString& arg : args)
            arg.replace(QLatin1String("{home}"), home);
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KEEPSAKE_FIXED_TIME"), QLatin1String(kTime));
        // The content index goes to the cache folder, which must be the
        // test's own.
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(KEEPSAKE_CLI), QStringList{QStringLiteral("--home"), home} + args);
        if (!cli.waitForFinished(30000))
            return QStringLiteral("(hung)\n");
        // Rows as printed, empty ones included; messages marked.
        QString shown = QString::fromUtf8(cli.readAllStandardOutput());
        if (!shown.isEmpty() && !shown.endsWith(QLatin1Char('\n')))
            shown += QStringLiteral("(no newline at the end)\n");
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        for (const QString& row : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            shown += QStringLiteral("! ") + row + QLatin1Char('\n');
        shown += QStringLiteral("= %1\n").arg(cli.exitCode());
        return shown.replace(home, QLatin1String("{home}"));
    }

private Q_SLOTS:
    void everyCommandPrintsWhatItPrintedBefore() {
        TimeText::setClock([] { return QDateTime::fromString(kTime, TimeText::kFormat); });
        TestHome home;
        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(home.paths(), "脚本库", home.path("kb"), prompter));
        TimeText::setClock({});
        {
            // The welcome base's rows carry the time it was built.
            Database database;
            KnowledgeStore store(database, prompter);
            QVERIFY(database.Open(home.path("kb/我的知识库/Keepsake.mdb")));
            QVERIFY(store.ExecuteStatement("update MinuItemTable set CreateTime=?", {kTime}));
            QVERIFY(store.ExecuteStatement("update ItemTable set CreateTime=?", {kTime}));
        }

        QString transcript;
        const QString script = readText(sourceFile("commands.txt"));
        QVERIFY(!script.isEmpty());
        for (const QString& line : script.split(QLatin1Char('\n'))) {
            if (line.isEmpty())
                continue;
            if (line.startsWith(QLatin1Char('#'))) {
                transcript += line + QLatin1Char('\n');
                continue;
            }
            transcript += QStringLiteral("$ ") + QString(line).replace(QLatin1Char('\t'), ' ') +
                          QLatin1Char('\n') + runLine(line, home.path());
        }

        const QString expectedPath = sourceFile("expected.txt");
        if (qEnvironmentVariableIsSet("KEEPSAKE_WRITE_TRANSCRIPT")) {
            QFile out(expectedPath);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(transcript.toUtf8());
            QSKIP("transcript written");
        }
        const QStringList expected = readText(expectedPath).split(QLatin1Char('\n'));
        const QStringList actual = transcript.split(QLatin1Char('\n'));
        for (int i = 0; i < qMin(expected.size(), actual.size()); ++i)
            QCOMPARE(QString("%1: %2").arg(i + 1).arg(actual[i]),
                     QString("%1: %2").arg(i + 1).arg(expected[i]));
        QCOMPARE(actual.size(), expected.size());
    }
};

QTEST_GUILESS_MAIN(TestCliTranscript)
#include "tst_cli_transcript.moc"
