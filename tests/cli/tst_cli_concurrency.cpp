#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "Workspace.h"
#include "config/TextCodec.h"
#include "db/Transaction.h"
#include "store/CategoryCode.h"
#include "workspace/KnowledgeBaseCreator.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

// One worker: keepsake-cli run once per operation, one after the other, as a
// script would; it prints "<operation> <exit status> <output>" per run.
const char* const kWorker = R"(cli=$1; home=$2; shift 2
for op in "$@"; do
  verb=${op%%:*}; arg=${op#*:}
  case $verb in
    create) out=$("$cli" --home "$home" create-base "$arg" "$home/bases/$arg" 2>>"$home/stderr") ;;
    *) out=$("$cli" --home "$home" --base 1 dock "$verb" "$arg" 2>>"$home/stderr" >/dev/null) ;;
  esac
  echo "$op $? $out"
done
)";

struct Outcome {
    QString operation;
    int status = -1;
    QString output;
};

// Starts every worker at once and waits for all of them.
QList<Outcome> runTogether(const QString& home, const QList<QStringList>& workers) {
    QList<QProcess*> processes;
    for (const QStringList& operations : workers) {
        auto* p = new QProcess;
        p->start(QStringLiteral("/bin/sh"),
                 QStringList{QStringLiteral("-c"), QString::fromLatin1(kWorker),
                             QStringLiteral("sh"), QStringLiteral(KEEPSAKE_CLI), home} +
                     operations);
        processes.append(p);
    }
    QList<Outcome> outcomes;
    for (QProcess* p : processes) {
        if (!p->waitForFinished(240000))
            qFatal("a worker hung");
        const QStringList lines = QString::fromUtf8(p->readAllStandardOutput())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            const QStringList parts = line.split(QLatin1Char(' '));
            outcomes.append({parts.value(0), parts.value(1).toInt(), parts.value(2)});
        }
        delete p;
    }
    return outcomes;
}

// The values of one key in a settings file, read from its bytes on disk
// (GB18030, CR LF) without the program's reader: field 0 and field 1.
QList<QPair<QString, QString>> recordsOnDisk(const QString& path, const char* key) {
    const QString text = TextCodec::decode(readBytes(path));
    const QRegularExpression line(QLatin1String("^") + QLatin1String(key) +
                                      QLatin1String("=([^|]*)\\|([^|]*)\\|.*\\r$"),
                                  QRegularExpression::MultilineOption);
    QList<QPair<QString, QString>> records;
    for (auto it = line.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        records.append({m.captured(1), m.captured(2)});
    }
    return records;
}

} // namespace

// Several keepsake-cli processes change the settings files of one program
// folder at the same time: every change one of them reports done is in the
// file afterwards, and no ID is handed out twice.
class TestCliConcurrency : public QObject {
    Q_OBJECT

    // The base the dock workers dock from, with enough materials for all.
    void seedBase(const TestHome& home, int materials) {
        ScriptedPrompter prompter;
        Workspace workspace(home.paths(), prompter);
        QCOMPARE(
            KnowledgeBaseCreator(workspace).CreateBlankBase("并发", home.path("kb")).value_or(-1),
            1);
        QVERIFY(workspace.OpenBase(1));
        KnowledgeStore& store = workspace.store();
        Transaction transaction(store.database());
        QVERIFY(store.InsertItem("根", "010000") && store.InsertItem("大项", "010100") &&
                store.InsertItem("小项", "010101"));
        for (int i = 1; i <= materials; ++i) {
            MaterialRecord m;
            m.MinuItemID = QString::number(i);
            m.MinuItemName = QStringLiteral("资料%1").arg(i);
            m.ItemID = QStringLiteral("010101");
            m.DescribeFileType = QStringLiteral("1");
            m.MinuItemFilePath = CategoryCode::MaterialFolder(m.ItemID, m.MinuItemID);
            m.CreateTime = QStringLiteral("2009-03-07 14:05:09");
            m.KnowledgeBaseID = QStringLiteral("1");
            QVERIFY(store.InsertMaterial(m));
        }
        QVERIFY(transaction.Commit());
    }

private Q_SLOTS:
    void registeringBases_data() {
        QTest::addColumn<int>("processes");
        QTest::addColumn<int>("operations");
        // A base creation copies the template database and rereads every
        // registered base's ini file, so fewer of them keep the test under a
        // minute on a busy machine.
        QTest::newRow("2 x 100") << 2 << 100;
        QTest::newRow("4 x 50") << 4 << 50;
    }
    void registeringBases() {
        QFETCH(int, processes);
        QFETCH(int, operations);
        TestHome home;
        QList<QStringList> workers(processes);
        for (int w = 0; w < processes; ++w) {
            for (int i = 0; i < operations; ++i)
                workers[w].append(QStringLiteral("create:w%1b%2").arg(w).arg(i));
        }
        QElapsedTimer clock;
        clock.start();
        const QList<Outcome> outcomes = runTogether(home.path(), workers);
        const qint64 ms = clock.elapsed();

        const auto records = recordsOnDisk(home.paths().mainConfigFile(), "LocalResourceInfo");
        QHash<QString, QString> idOfIni;
        for (const auto& [id, ini] : records)
            idOfIni.insert(ini, id);
        QSet<QString> ids;
        for (const auto& record : records)
            ids.insert(record.first);
        QCOMPARE(ids.size(), records.size());

        int succeeded = 0;
        for (const Outcome& o : outcomes) {
            QVERIFY2(o.status == 0, qPrintable(o.operation + ": " +
                                               QString::fromUtf8(readBytes(home.path("stderr")))));
            ++succeeded;
            const QString name = o.operation.mid(o.operation.indexOf(QLatin1Char(':')) + 1);
            QCOMPARE(idOfIni.value(home.path("bases/") + name + "/" + name + ".ini"), o.output);
        }
        QCOMPARE(succeeded, processes * operations);
        QCOMPARE(records.size(), succeeded);
        // No folder was left registered nowhere.
        QCOMPARE(QDir(home.path("bases")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
                 succeeded);
        QCOMPARE(readBytes(home.path("stderr")), QByteArray());
        qInfo("%d processes x %d base creations: %d succeeded, %lld registered, 0 lost, %.1f s",
              processes, operations, succeeded, qlonglong(records.size()), ms / 1000.0);
    }

    void dockingMaterials_data() {
        QTest::addColumn<int>("processes");
        QTest::addColumn<int>("operations");
        QTest::newRow("2 x 200") << 2 << 200;
        QTest::newRow("4 x 200") << 4 << 200;
    }
    void dockingMaterials() {
        QFETCH(int, processes);
        QFETCH(int, operations);
        TestHome home;
        // Each worker docks materials of its own, and takes every fifth one
        // off again right after docking it: five docks and one removal in
        // every six operations.
        const int perWorker = (operations + 5) / 6 * 5;
        seedBase(home, processes * perWorker);
        QList<QStringList> workers(processes);
        QSet<QString> expected;
        for (int w = 0; w < processes; ++w) {
            for (int i = 0; i < perWorker && workers[w].size() < operations; ++i) {
                const QString id = QString::number(w * perWorker + i + 1);
                workers[w].append(QStringLiteral("add:") + id);
                if (i % 5 == 4 && workers[w].size() < operations)
                    workers[w].append(QStringLiteral("remove:") + id);
                else
                    expected.insert(id);
            }
        }
        QElapsedTimer clock;
        clock.start();
        const QList<Outcome> outcomes = runTogether(home.path(), workers);
        const qint64 ms = clock.elapsed();

        int succeeded = 0;
        for (const Outcome& o : outcomes) {
            QVERIFY2(o.status == 0, qPrintable(o.operation + ": " +
                                               QString::fromUtf8(readBytes(home.path("stderr")))));
            ++succeeded;
        }
        for (const QStringList& w : workers)
            QCOMPARE(w.size(), operations);
        QCOMPARE(succeeded, processes * operations);
        const auto rows = recordsOnDisk(home.paths().dockStationFile(), "GotoMinuItemData");
        QSet<QString> docked;
        for (const auto& [id, name] : rows) {
            QCOMPARE(name, QStringLiteral("资料") + id);
            docked.insert(id);
        }
        QCOMPARE(docked.size(), rows.size()); // each material once
        QCOMPARE(docked, expected);
        QCOMPARE(readBytes(home.path("stderr")), QByteArray());
        qInfo("%d processes x %d dock changes: %d succeeded, %lld rows stored as expected, "
              "0 lost, %.1f s",
              processes, operations, succeeded, qlonglong(rows.size()), ms / 1000.0);
    }
};

QTEST_GUILESS_MAIN(TestCliConcurrency)
#include "tst_cli_concurrency.moc"
