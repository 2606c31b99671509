// The daily update check against a server on 127.0.0.1: what the user is
// told for each kind of answer, what is stored, when nothing is sent at all,
// and that neither a silent server nor a fetch blocked for good holds the
// owner's thread.

#include "PeerServer.h"
#include "config/Profile.h"
#include "util/TimeText.h"
#include "web/UpdateCheck.h"
#include "web/UpdateProfile.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A body that says it is longer than it is works too: the peer's close ends it.
QByteArray okAnswer(const QByteArray& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
           body;
}

// A port that takes connections into its backlog and never accepts or
// answers them: a server that has hung.
class SilentListener {
public:
    SilentListener() {
        m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::listen(m_socket, 4) == 0 &&
            ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(m_socket); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    int port() const { return m_port; }
    bool connectionWaiting() const {
        pollfd waiting{m_socket, POLLIN, 0};
        return ::poll(&waiting, 1, 0) == 1;
    }

private:
    int m_socket = -1;
    int m_port = 0;
};

// Holds a fetch until the test opens it. Its own patience turns a check that
// waits for its fetch into a failed test instead of a hung one.
struct Gate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    bool enteredFetch = false;
    bool gaveUp = false;
};

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_dir.emplace();
        m_profile.emplace(m_dir->filePath(QStringLiteral("Keepsake.conf")));
        m_programFolder = m_dir->filePath(QStringLiteral("home")) + QLatin1Char('/');
        QVERIFY(QDir().mkpath(m_programFolder));
        TimeText::setClock([] { return QDateTime(QDate(2024, 5, 6), QTime(10, 0, 0)); });
    }

    void cleanup() {
        TimeText::setClock({});
        m_profile.reset();
        m_dir.reset();
    }

    void answers_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QStringList>("sites");

        QTest::newRow("two sites")
            << okAnswer("VERSION=1.2\r\nDOWNLOAD1=Site A|http://a.example/\r\n"
                        "DOWNLOAD2=Site B|http://b.example/\r\n")
            << QStringLiteral("1.2") << QStringList{"Site A", "Site B"};
        QByteArray seven = "VERSION= 2.0 \r\n";
        for (int i = 1; i <= 7; ++i)
            seven += "DOWNLOAD" + QByteArray::number(i) + "=S" + QByteArray::number(i) +
                     "|http://s.example/" + QByteArray::number(i) + "\n";
        QTest::newRow("seven sites") << okAnswer(seven) << QStringLiteral("2.0")
                                     << QStringList{"S1", "S2", "S3", "S4", "S5"};
        QTest::newRow("site without bar")
            << okAnswer("VERSION=1.2\nDOWNLOAD1=A|http://a.example/\nDOWNLOAD3=Site C\n"
                        "DOWNLOAD2=B|http://b.example/\n")
            << QStringLiteral("1.2") << QStringList{"A", "B"};
        QTest::newRow("own version") << okAnswer("VERSION=1.0\nDOWNLOAD=A|http://a.example/\n")
                                     << QString() << QStringList();
        QTest::newRow("404 page") << QByteArray(
                                         "HTTP/1.1 404 Not Found\r\nContent-Length: 22\r\n\r\n"
                                         "<html>missing</html>\r\n")
                                  << QString() << QStringList();
        QTest::newRow("404 saying a version")
            << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 12\r\n\r\nVERSION=9.9\n")
            << QString() << QStringList();
        QTest::newRow("no content length")
            << QByteArray("HTTP/1.1 200 OK\r\n\r\nVERSION=1.2\nDOWNLOAD=A|http://a.example/\n")
            << QString() << QStringList();

        // 10,000 note lines of 5 bytes: the site after them lies within 64 KiB.
        QByteArray notes = "VERSION=3.1\n";
        for (int i = 0; i < 10000; ++i)
            notes += "note\n";
        notes += "DOWNLOAD=Late|https://late.example/\n";
        QTest::newRow("10000 lines")
            << okAnswer(notes) << QStringLiteral("3.1") << QStringList{"Late"};

        // Only the first 64 KiB are read and kept: 5 of its sites are shown.
        QByteArray large = "VERSION=1.5\n";
        for (int i = 1; i <= 10000; ++i)
            large += "DOWNLOAD=Site " + QByteArray::number(i) + "|http://s.example/\n";
        QTest::newRow("body over 64 KiB")
            << okAnswer(large) << QStringLiteral("1.5")
            << QStringList{"Site 1", "Site 2", "Site 3", "Site 4", "Site 5"};
    }

    void answers() {
        QFETCH(QByteArray, answer);
        QFETCH(QString, version);
        QFETCH(QStringList, sites);
        PeerServer peer(PeerServer::Part::AnswerAndClose, answer);
        QVERIFY(peer.listening());
        serveAt(peer.port());

        const std::optional<UpdateNotice> notice = runCheck();
        QVERIFY(peer.received().startsWith("GET /NetUpload/UpdateInfo.txt HTTP/1.1\r\n"));
        QCOMPARE(notice.has_value(), !version.isEmpty());
        const QString uploadFile = m_programFolder + QStringLiteral("UploadFile");
        if (!notice) {
            QVERIFY(UpdateProfile(*m_profile).updateVersion().isEmpty());
            QVERIFY(!QFile::exists(uploadFile));
            return;
        }
        QCOMPARE(notice->version, version);
        QStringList names;
        for (const UpdateSite& site : notice->sites)
            names << site.name;
        QCOMPARE(names, sites);
        QCOMPARE(UpdateProfile(*m_profile).updateVersion(), version);
        QFile kept(uploadFile);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), answer.mid(answer.indexOf("\r\n\r\n") + 4).left(64 * 1024));
    }

    void versionAlreadyToldOf() {
        UpdateProfile values(*m_profile);
        values.setUpdateVersion(QStringLiteral("1.2"));
        PeerServer peer(PeerServer::Part::AnswerAndClose,
                        okAnswer("VERSION=1.2\nDOWNLOAD=A|http://a.example/\n"));
        serveAt(peer.port());
        QVERIFY(!runCheck());
        QCOMPARE(values.updateVersion(), QStringLiteral("1.2"));
        QCOMPARE(values.updateDate(), QStringLiteral("2024-05-06"));
    }

    // The next day the same start asks the server, which stays silent: the
    // fetch's deadline ends the check, and the owner's thread is not held.
    void onceADayAndSilentServerEndsByDeadline() {
        SilentListener listener;
        serveAt(listener.port());
        UpdateProfile(*m_profile).setUpdateDate(QStringLiteral("2024-05-06"));
        UpdateCheck check(*m_profile, m_programFolder);
        QVERIFY(!check.start());
        QVERIFY(!listener.connectionWaiting());

        TimeText::setClock([] { return QDateTime(QDate(2024, 5, 7), QTime(0, 0, 1)); });
        check.setFetch(
            [](const UpdateServer& server) { return UpdateFetch::fetch(server, 300ms); });
        QSignalSpy noticed(&check, &UpdateCheck::noticeFound);
        QSignalSpy finished(&check, &UpdateCheck::finished);
        QVERIFY(check.start());
        QCOMPARE(finished.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QVERIFY(listener.connectionWaiting());
        QCOMPARE(noticed.count(), 0);
    }

    void noServerNoRequest_data() {
        QTest::addColumn<QString>("server");
        QTest::newRow("blank") << QStringLiteral("  ");
        QTest::newRow("with scheme") << QStringLiteral("http://127.0.0.1/");
        QTest::newRow("with path") << QStringLiteral("127.0.0.1/x");
        QTest::newRow("port 0") << QStringLiteral("127.0.0.1:0");
        QTest::newRow("port 65536") << QStringLiteral("127.0.0.1:65536");
    }

    void noServerNoRequest() {
        QFETCH(QString, server);
        UpdateProfile values(*m_profile);
        values.setServer(server);
        std::atomic<int> fetches = 0;
        UpdateCheck check(*m_profile, m_programFolder);
        check.setFetch([&fetches](const UpdateServer&) {
            ++fetches;
            return std::optional<QByteArray>();
        });
        QVERIFY(!check.start());
        QCOMPARE(fetches.load(), 0);
        // Naming a server later the same day still lets that day's check run.
        QVERIFY(values.updateDate().isEmpty());
    }

    void dateStoredBeforeFetching() {
        UpdateProfile(*m_profile).setServer(QStringLiteral("updates.example:8080"));
        const QString profilePath = m_profile->filePath();
        UpdateCheck check(*m_profile, m_programFolder);
        QString dateSeenByFetch;
        QByteArray hostAsked;
        int portAsked = 0;
        check.setFetch([&](const UpdateServer& server) {
            // What another process reading the profile now would find.
            Profile fresh(profilePath);
            dateSeenByFetch = UpdateProfile(fresh).updateDate();
            hostAsked = server.host;
            portAsked = server.port;
            return std::optional<QByteArray>();
        });
        QSignalSpy finished(&check, &UpdateCheck::finished);
        QVERIFY(check.start());
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(dateSeenByFetch, QStringLiteral("2024-05-06"));
        QCOMPARE(hostAsked, QByteArray("updates.example"));
        QCOMPARE(portAsked, 8080);
    }

    void destroyedWhileFetchBlocks() {
        UpdateProfile(*m_profile).setServer(QStringLiteral("updates.example"));
        auto gate = std::make_shared<Gate>();
        const std::weak_ptr<Gate> fetchAlive = gate;
        auto check = std::make_unique<UpdateCheck>(*m_profile, m_programFolder);
        check->setFetch([gate](const UpdateServer&) {
            std::unique_lock lock(gate->mutex);
            gate->enteredFetch = true;
            gate->opened.notify_all();
            gate->gaveUp = !gate->opened.wait_for(lock, 10s, [&] { return gate->open; });
            return std::optional<QByteArray>(okAnswer("VERSION=9\nDOWNLOAD=A|http://a/\n"));
        });
        QVERIFY(check->start());
        {
            std::unique_lock lock(gate->mutex);
            QVERIFY(gate->opened.wait_for(lock, 10s, [&] { return gate->enteredFetch; }));
        }
        // Returns while the fetch still blocks, as the window's close must.
        check.reset();
        {
            std::lock_guard lock(gate->mutex);
            QVERIFY(!gate->gaveUp);
            gate->open = true;
        }
        gate->opened.notify_all();
        gate.reset();
        // The thread ends on its own and lets go of everything it held; its
        // result reaches no one.
        QTRY_VERIFY_WITH_TIMEOUT(fetchAlive.expired(), 20000);
        QCoreApplication::processEvents();
        QVERIFY(UpdateProfile(*m_profile).updateVersion().isEmpty());
    }

private:
    void serveAt(int port) {
        UpdateProfile(*m_profile).setServer(QStringLiteral("127.0.0.1:%1").arg(port));
    }

    std::optional<UpdateNotice> runCheck() {
        UpdateCheck check(*m_profile, m_programFolder);
        check.setFetch([](const UpdateServer& server) { return UpdateFetch::fetch(server, 10s); });
        std::optional<UpdateNotice> notice;
        connect(&check, &UpdateCheck::noticeFound, this,
                [&notice](const UpdateNotice& found) { notice = found; });
        QSignalSpy finished(&check, &UpdateCheck::finished);
        if (!check.start())
            return std::nullopt;
        if (!finished.wait(20000) && finished.isEmpty())
            qWarning("the update check did not finish");
        return notice;
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<Profile> m_profile;
    QString m_programFolder;
};

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
