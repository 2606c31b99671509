#include "TestHome.h"
#include "app/SingleInstance.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The program started on a program folder, headless, as a user's second
// click or a file manager would start it.
void startKeepsake(QProcess& p, const QString& home, const QStringList& files) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KEEPSAKE_HOME"), home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KEEPSAKE_BIN), files);
}

// The child may have ended while the test waited for its message.
bool ended(QProcess& p) {
    return p.state() == QProcess::NotRunning || p.waitForFinished(15000);
}

} // namespace

// One window per program folder.
class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aSecondStartHandsItsFilesToTheFirst() {
        TestHome home;
        SingleInstance first(home.path());
        QVERIFY(first.claim({}));
        QSignalSpy received(&first, &SingleInstance::filesReceived);

        QProcess second;
        second.setWorkingDirectory(home.path());
        QElapsedTimer clock;
        clock.start();
        startKeepsake(second, home.path(), {QStringLiteral("笔记.txt")});
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 15000);
        QVERIFY(ended(second));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        qInfo("the second start ended after %.1f s", clock.elapsed() / 1000.0);
        // Relative to where it was started, made absolute for the first.
        QCOMPARE(received.at(0).at(0).toStringList(), QStringList({home.path("笔记.txt")}));

        // A start naming no file only brings the window forward.
        QProcess third;
        startKeepsake(third, home.path(), {});
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 2, 15000);
        QVERIFY(ended(third));
        QCOMPARE(third.exitCode(), 0);
        QCOMPARE(received.at(1).at(0).toStringList(), QStringList());

        // Another program folder is another window's business.
        TestHome elsewhere;
        SingleInstance other(elsewhere.path());
        QVERIFY(other.claim({}));
        QVERIFY(SingleInstance::ServerName(elsewhere.path()) !=
                SingleInstance::ServerName(home.path()));
    }

    void aLockLeftByAKilledWindowDoesNotBlock() {
        TestHome home;
        // Without a configuration the window waits in its first-run dialog,
        // holding the folder, until it is killed.
        QProcess killed;
        startKeepsake(killed, home.path(), {});
        const QString lock = home.path(SingleInstance::LockFileName());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 20000);
        QTest::qWait(500);
        QCOMPARE(killed.state(), QProcess::Running);
        killed.kill();
        QVERIFY(killed.waitForFinished(10000));
        QVERIFY(QFile::exists(lock));

        SingleInstance next(home.path());
        QVERIFY(next.claim({}));
        // And it is reachable under the name the dead one had used.
        QSignalSpy received(&next, &SingleInstance::filesReceived);
        QProcess later;
        startKeepsake(later, home.path(), {home.path("a.rtf")});
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 15000);
        QVERIFY(ended(later));
        QCOMPARE(later.exitCode(), 0);
        QCOMPARE(received.at(0).at(0).toStringList(), QStringList({home.path("a.rtf")}));
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
