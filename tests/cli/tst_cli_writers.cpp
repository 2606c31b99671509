#include "CliRun.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "config/FirstRunSetup.h"

#include <QtTest>
#include <sqlite3.h>

// Several keepsake-cli processes writing one base at once, as a script, a
// second window and a sync job do. What they report is checked against the
// catalogue itself, read with plain SQL.
class TestCliWriters : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    CliRun run;
    QString major, minor;
    QString baseFolder; // as `bases` reports it

    QString database() const { return baseFolder + "/Keepsake.mdb"; }

    // One number from the catalogue; -1 when the query fails.
    qint64 count(const QString& sql) const {
        sqlite3* db = nullptr;
        qint64 value = -1;
        if (sqlite3_open_v2(database().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
            SQLITE_OK) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) ==
                    SQLITE_OK &&
                sqlite3_step(statement) == SQLITE_ROW)
                value = sqlite3_column_int64(statement, 0);
            else
                qWarning() << sql << sqlite3_errmsg(db);
            sqlite3_finalize(statement);
        }
        sqlite3_close(db);
        return value;
    }

    // Each writer is a shell loop of its own, all started together; every
    // command's exit status and output come back as "status<TAB>output".
    struct Outcome {
        QStringList items, materials; // what the successful commands printed
        int failures = 0;
        QStringList failureTexts;
    };

    Outcome runWriters(int writers, int operationsEach) {
        const QString script =
            QStringLiteral("for i in $(seq %1); do "
                           "  if [ $((i % 2)) -eq 0 ]; then set -- add-item \"$MAJOR\" \"w$W-$i\"; "
                           "  else set -- new-material \"$MINOR\" \"w$W-$i\" --type '*.txt'; fi; "
                           "  out=$(\"$CLI\" --home \"$HOME_DIR\" --base 1 \"$@\" 2>&1); "
                           "  printf '%s\\t%s\\t%s\\n' \"$?\" \"$1\" \"$out\"; "
                           "done")
                .arg(operationsEach);
        std::vector<std::unique_ptr<QProcess>> lanes;
        for (int w = 0; w < writers; ++w) {
            auto lane = std::make_unique<QProcess>();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("CLI", KEEPSAKE_CLI);
            env.insert("HOME_DIR", home->path());
            env.insert("MAJOR", major);
            env.insert("MINOR", minor);
            env.insert("W", QString::number(w));
            lane->setProcessEnvironment(env);
            lanes.push_back(std::move(lane));
        }
        for (auto& lane : lanes)
            lane->start("sh", {"-c", script});
        Outcome outcome;
        for (auto& lane : lanes) {
            if (!lane->waitForFinished(240000)) {
                ++outcome.failures;
                continue;
            }
            const QStringList rows =
                QString::fromUtf8(lane->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            for (const QString& row : rows) {
                const QString status = row.section('\t', 0, 0);
                const QString command = row.section('\t', 1, 1);
                const QString printed = row.section('\t', 2).trimmed();
                if (status != "0") {
                    ++outcome.failures;
                    outcome.failureTexts.append(printed);
                } else if (command == "add-item") {
                    outcome.items.append(printed);
                } else {
                    outcome.materials.append(printed);
                }
            }
        }
        return outcome;
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        run.home = home->path();
        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(home->paths(), "并发库", home->path("kb"), prompter));
        QCOMPARE(run({"bases"}), 0);
        baseFolder = run.lines().value(0).section('\t', 3, 3);
        QVERIFY(QFileInfo::exists(database()));
        QCOMPARE(run({"--base", "1", "add-item", "000000", "并发"}), 0);
        const QString root = run.out.trimmed();
        QCOMPARE(run({"--base", "1", "add-item", root, "大项"}), 0);
        major = run.out.trimmed();
        QCOMPARE(run({"--base", "1", "add-item", major, "小项"}), 0);
        minor = run.out.trimmed();
    }

    void everyReportedWriteIsStoredOnce_data() {
        QTest::addColumn<int>("writers");
        QTest::newRow("two writers") << 2;
        QTest::newRow("four writers") << 4;
    }

    // Half the commands add items under one major, half create materials
    // under one minor: both take "the next free" code or id, which two
    // writers must never both be handed.
    void everyReportedWriteIsStoredOnce() {
        QFETCH(int, writers);
        const int operationsEach = 200;
        const Outcome outcome = runWriters(writers, operationsEach);

        QVERIFY2(outcome.failures == 0, qPrintable(outcome.failureTexts.join(" | ")));
        QCOMPARE(outcome.items.size() + outcome.materials.size(), writers * operationsEach);

        // Distinct codes and ids, each one a row, and no row nobody reported.
        QCOMPARE(QSet<QString>(outcome.items.cbegin(), outcome.items.cend()).size(),
                 outcome.items.size());
        QCOMPARE(QSet<QString>(outcome.materials.cbegin(), outcome.materials.cend()).size(),
                 outcome.materials.size());
        const QString underMajor =
            QString("from ItemTable where ItemID like '%1%%' and ItemID <> '%2' and ItemID <> '%3'")
                .arg(major.left(4), major, minor);
        QCOMPARE(count("select count(*) " + underMajor), qint64(outcome.items.size()));
        QCOMPARE(count("select count(distinct ItemID) " + underMajor),
                 qint64(outcome.items.size()));
        for (const QString& code : outcome.items)
            QCOMPARE(count(QString("select count(*) from ItemTable where ItemID = '%1'").arg(code)),
                     1);
        QCOMPARE(
            count(QString("select count(*) from MinuItemTable where ItemID = '%1'").arg(minor)),
            qint64(outcome.materials.size()));

        // Each material has its own folder with its own description file.
        const QString folderOfMinor =
            (baseFolder + "/%1/%2/%3/").arg(minor.left(2), minor.mid(2, 2), minor.right(2));
        for (const QString& id : outcome.materials) {
            QCOMPARE(
                count(QString("select count(*) from MinuItemTable where MinuItemID = %1").arg(id)),
                1);
            const QStringList files = QDir(folderOfMinor + id).entryList(QDir::Files);
            QCOMPARE(files.size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliWriters)
#include "tst_cli_writers.moc"
