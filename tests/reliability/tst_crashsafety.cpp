#include "ModelCheck.h"
#include "RewriteVersions.h"
#include "ScriptedPrompter.h"
#include "StoredState.h"
#include "TestHome.h"
#include "Workspace.h"
#include "materials/DockStationFile.h"
#include "store/CategoryTreeModel.h"
#include "store/MaterialClipboard.h"
#include "store/RecycleBinModel.h"
#include "store/TreeService.h"
#include "workspace/KnowledgeBaseCreator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QtTest>

using RewriteVersions::kCount;

namespace {

constexpr int kKills = 200;
// A kill comes at a random moment up to this long after the child is ready:
// a few rounds of rewriting (each syncs three files), so that it can land
// anywhere in one.
constexpr int kLongestWaitUs = 120000;

} // namespace

// Starts the crash rewriter on a program folder with one base, kills it with
// SIGKILL at random moments and, after each kill, checks what a user starting
// the program would find: every settings file whole in the old or the new
// version, nothing left beside them, a sound catalogue in one version, and a
// base that opens with its tree. KEEPSAKE_CRASH_SEED repeats a run.
class TestCrashSafety : public QObject {
    Q_OBJECT

    TestHome home;
    LocalResourceRecord record;
    CurrentKnowledgeBase base;
    QList<RewriteVersions::SettingsFile> versions[kCount];
    int filesSeen[kCount] = {};
    int cataloguesSeen[kCount] = {};
    QSet<QString> leftovers;

    void checkSettingsFiles(int kill);
    void checkNothingStray();
    void checkOpensInTheProgram(int kill);

private Q_SLOTS:
    void initTestCase();
    void everyKillLeavesTheOldOrTheNewVersion();
};

void TestCrashSafety::initTestCase() {
    ScriptedPrompter prompter;
    Workspace workspace(home.paths(), prompter);
    const std::optional<int> id = KnowledgeBaseCreator(workspace).CreateBlankBase(
        QStringLiteral("崩溃测试库"), home.path("base"));
    QVERIFY(id);
    record = *workspace.config().base(*id);
    workspace.config() = RewriteVersions::Config(record, 0);
    QVERIFY(workspace.saveConfiguration());
    QVERIFY(workspace.OpenBase(*id));
    base = workspace.currentBase();
    QVERIFY(RewriteVersions::SeedCatalogue(workspace.store(), base));
    DockStationFile dock(workspace.paths(), prompter);
    QVERIFY(RewriteVersions::MoveDock(dock, base, 0));
    QVERIFY(RewriteVersions::Search(0).Save(workspace.paths(), prompter));
    QCOMPARE(RewriteVersions::CatalogueVersion(workspace.store()), 0);
    QVERIFY(prompter.shown.isEmpty());

    for (int v = 0; v < kCount; ++v)
        versions[v] = RewriteVersions::SettingsFiles(home.paths(), record, base, v);
    // Two versions that shared a file's bytes could not tell a torn write.
    for (int i = 0; i < versions[0].size(); ++i) {
        QVERIFY(versions[0][i].bytes != versions[1][i].bytes);
        QCOMPARE(readBytes(versions[0][i].path), versions[0][i].bytes);
    }
}

void TestCrashSafety::checkSettingsFiles(int kill) {
    for (int i = 0; i < versions[0].size(); ++i) {
        const QString path = versions[0][i].path;
        QVERIFY2(QFileInfo::exists(path),
                 qPrintable(QStringLiteral("kill %1 left %2 missing").arg(kill).arg(path)));
        const QByteArray bytes = readBytes(path);
        int version = -1;
        for (int v = 0; v < kCount; ++v) {
            if (bytes == versions[v][i].bytes)
                version = v;
        }
        const QString torn = QStringLiteral("kill %1 left %2 torn: %3 bytes of neither version");
        QVERIFY2(version >= 0, qPrintable(torn.arg(kill).arg(path).arg(bytes.size())));
        ++filesSeen[version];
    }
}

void TestCrashSafety::checkNothingStray() {
    const QDir::Filters all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    QStringList settings;
    for (const RewriteVersions::SettingsFile& file : versions[0])
        settings << QFileInfo(file.path).fileName();
    // When the target exists, QSaveFile links its new content under the
    // target's name plus six random characters and renames that over the
    // target; a kill between the two leaves it behind. The program reads
    // only the fixed names, so such a leftover is never taken for settings;
    // anything else in the folder is. A kill while a writer holds a file's
    // lock leaves "<file>.lock", and a kill while a writer takes over such a
    // lock leaves "<file>.lock.rmlock" too, and a kill while the next one
    // takes over that one "<file>.lock.rmlock.rmlock", and so on; the next
    // writer sees their process is gone and takes them over.
    QStringList escaped;
    for (const QString& name : settings)
        escaped << QRegularExpression::escape(name);
    const QRegularExpression leftover(QStringLiteral("^(%1)\\.([A-Za-z0-9]{6}|lock(\\.rmlock)*)$")
                                          .arg(escaped.join(QLatin1Char('|'))));
    QStringList found = QDir(home.path("ResourceConfig")).entryList(all);
    found.removeIf([&](const QString& name) {
        if (!leftover.match(name).hasMatch())
            return false;
        leftovers.insert(name);
        return true;
    });
    settings.sort();
    QCOMPARE(found, settings);

    // The database's own log and index are SQLite's to read; anything else
    // (a rollback journal above all) would be taken for part of the base.
    QStringList baseFiles = QDir(home.path("base")).entryList(all);
    baseFiles.removeOne(QStringLiteral("Keepsake.mdb-wal"));
    baseFiles.removeOne(QStringLiteral("Keepsake.mdb-shm"));
    QStringList expected{QStringLiteral("Keepsake.mdb"), QFileInfo(record.IniPath).fileName()};
    expected.sort();
    QCOMPARE(baseFiles, expected);
}

void TestCrashSafety::checkOpensInTheProgram(int kill) {
    QCOMPARE(StoredState::IntegrityOf(base.DatabasePath), QStringLiteral("ok"));

    ScriptedPrompter prompter;
    Workspace workspace(home.paths(), prompter);
    QVERIFY(workspace.loadConfiguration([] { return false; }));
    QVERIFY(workspace.OpenStartBase());
    MaterialClipboard clipboard;
    TreeService service(workspace.store(), workspace.currentBase(), prompter, clipboard);
    CategoryTreeModel tree(service);
    checkModel(&tree);
    tree.fill();
    RecycleBinModel recycleBin(workspace.store(), workspace.currentBase(), prompter, service);
    checkModel(&recycleBin);
    recycleBin.load();
    DockStationFile dock(workspace.paths(), prompter);
    dock.load();

    const int version = RewriteVersions::CatalogueVersion(workspace.store());
    QVERIFY2(version >= 0,
             qPrintable(QStringLiteral("kill %1 left the catalogue with half a change").arg(kill)));
    ++cataloguesSeen[version];
    const QModelIndex item = tree.indexOf(QStringLiteral("010101"));
    QCOMPARE(tree.data(item, CategoryTreeModel::NameRole).toString(),
             RewriteVersions::ItemName(version));
    QVERIFY(dock.entries() == RewriteVersions::DockEntries(base, 0) ||
            dock.entries() == RewriteVersions::DockEntries(base, 1));
    QCOMPARE(workspace.config().LocalResources.size(), 1);
    QCOMPARE(prompter.shown.size(), 0);
}

void TestCrashSafety::everyKillLeavesTheOldOrTheNewVersion() {
    const quint32 seed = qEnvironmentVariableIsSet("KEEPSAKE_CRASH_SEED")
                             ? qEnvironmentVariable("KEEPSAKE_CRASH_SEED").toUInt()
                             : QRandomGenerator::system()->generate();
    qInfo("seed %u (KEEPSAKE_CRASH_SEED=%u repeats this run)", seed, seed);
    QRandomGenerator random(seed);
    QElapsedTimer clock;
    clock.start();
    qint64 rounds = 0;
    int killedInFirstRound = 0;

    for (int kill = 1; kill <= kKills; ++kill) {
        QProcess child;
        child.start(QStringLiteral(KEEPSAKE_CRASH_REWRITER), {home.path()});
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        while (!child.canReadLine() && child.waitForReadyRead(10000)) {
        }
        QVERIFY2(child.readLine() == "ready\n", child.readAllStandardError().constData());
        QThread::usleep(random.bounded(kLongestWaitUs));
        child.kill();
        QVERIFY(child.waitForFinished());
        // A child that ended by itself met a failure it reported on stderr.
        QVERIFY2(child.exitStatus() == QProcess::CrashExit,
                 child.readAllStandardError().constData());
        const qint64 finished = child.readAllStandardOutput().count('.');
        rounds += finished;
        if (finished == 0)
            ++killedInFirstRound;

        checkSettingsFiles(kill);
        if (!QTest::currentTestFailed())
            checkNothingStray();
        if (!QTest::currentTestFailed())
            checkOpensInTheProgram(kill);
        if (QTest::currentTestFailed())
            return;
    }
    qInfo("%d kills in %.1f s; %lld rounds finished, %d kills in a child's first round; "
          "files found in version 0/1: %d/%d, catalogue: %d/%d; %lld leftover temporaries",
          kKills, clock.elapsed() / 1000.0, rounds, killedInFirstRound, filesSeen[0], filesSeen[1],
          cataloguesSeen[0], cataloguesSeen[1], qlonglong(leftovers.size()));
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
