// CHttpSocket against a peer on 127.0.0.1 that answers from a thread of its
// own: the request it sends, the status and fields it reads from answers good
// and bad, the body, and peers that close, stay silent or never end. Every
// client waits at most kWaitMs for its peer, so that a fault fails a test
// instead of hanging it.

#include "web/CHttpSocket.h"

#include "PeerServer.h"

#include <QElapsedTimer>
#include <QTest>

#include <csignal>
#include <optional>
#include <type_traits>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

static_assert(!std::is_copy_constructible_v<CHttpSocket>);
static_assert(!std::is_copy_assignable_v<CHttpSocket>);

namespace {

constexpr int kWaitMs = 5000;

// The request the update check composes, line by line as the design lists
// them for a plain GET.
const QByteArray kPlainRequest = "GET /NetUpload/UpdateInfo.txt HTTP/1.1\r\n"
                                 "Host:127.0.0.1\r\n"
                                 "Accept:*/*\r\n"
                                 "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                                 "Connection:Keep-Alive\r\n"
                                 "\r\n";

const QByteArray kOkHeader = "HTTP/1.1 200 OK\r\n"
                             "Content-Length: 13\r\n"
                             "\r\n";

// Connects to the peer with a receive time-out and sends the plain request;
// whether the answer's header came.
bool request(CHttpSocket& client, const PeerServer& server) {
    if (!client.Socket() || !client.SetTimeout(kWaitMs, 0) ||
        !client.Connect("127.0.0.1", server.port()))
        return false;
    long length = 0;
    client.FormatRequestHeader("127.0.0.1", "/NetUpload/UpdateInfo.txt", length);
    return client.SendRequest();
}

// A header of exactly `size` bytes: a status line, one padding field and
// the blank line.
QByteArray headerOfSize(qsizetype size) {
    const QByteArray head = "HTTP/1.1 200 OK\r\nX-Pad: ";
    const QByteArray tail = "\r\n\r\n";
    return head + QByteArray(size - head.size() - tail.size(), 'a') + tail;
}

// Everything Receive hands out in reads of `chunk` bytes, until it says the
// peer has closed; nothing when it reports an error instead.
std::optional<QByteArray> receiveAll(CHttpSocket& client, long chunk) {
    QByteArray body;
    QByteArray buffer(chunk, '\0');
    for (;;) {
        const long got = client.Receive(buffer.data(), chunk);
        if (got == 0)
            return body;
        if (got < 0)
            return std::nullopt;
        body.append(buffer.constData(), got);
    }
}

// A null QByteArray stands for an argument that is not given.
const char* orNull(const QByteArray& text) {
    return text.isNull() ? nullptr : text.constData();
}

bool isOpen(int descriptor) {
    return ::fcntl(descriptor, F_GETFD) != -1;
}

} // namespace

class TestHttpSocket : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusedRequest_data() {
        QTest::addColumn<QByteArray>("server");
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<QByteArray>("referer");
        QTest::addColumn<QByteArray>("cookie");
        const QByteArray host = "127.0.0.1";
        const QByteArray path = "/NetUpload/UpdateInfo.txt";
        const QByteArray none;
        QTest::newRow("too long") << host << "/" + QByteArray(2000, 'p') << none << none;
        QTest::newRow("LF in the path") << host << path + "\nX-Injected: 1" << none << none;
        QTest::newRow("CR in the host") << host + "\r" << path << none << none;
        QTest::newRow("CR LF in the referrer")
            << host << path << QByteArray("a\r\n\r\nGET / HTTP/1.1") << none;
        QTest::newRow("LF in the cookie") << host << path << none << QByteArray("a\nb");
    }

    void refusedRequest() {
        QFETCH(QByteArray, server);
        QFETCH(QByteArray, object);
        QFETCH(QByteArray, referer);
        QFETCH(QByteArray, cookie);
        PeerServer peer(PeerServer::Part::AnswerAndWait, kOkHeader);
        QVERIFY(peer.listening());
        {
            CHttpSocket client;
            QVERIFY(client.Socket());
            QVERIFY(client.Connect("127.0.0.1", peer.port()));
            long length = -1;
            // A request composed earlier must not go out in place of the refused one.
            QVERIFY(client.FormatRequestHeader("127.0.0.1", "/", length) != nullptr);
            QVERIFY(client.FormatRequestHeader(server.constData(), object.constData(), length,
                                               orNull(cookie), orNull(referer)) == nullptr);
            QCOMPARE(length, 0L);
            QVERIFY(!client.SendRequest());
            QVERIFY(!client.SendRequest(nullptr, 5));
            QCOMPARE(client.GetServerState(), -1);
        }
        QVERIFY(peer.clientClosed());
        QCOMPARE(peer.received(), QByteArray());
    }

    void statusLine_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("status");
        QTest::newRow("200") << kOkHeader << 200;
        QTest::newRow("HTTP/1.0 301")
            << QByteArray("HTTP/1.0 301 Moved Permanently\r\nLocation: /new\r\n\r\n") << 301;
        // Leading digits count, as atoi reads them; none read as 0.
        QTest::newRow("two digits") << QByteArray("HTTP/1.1 20x\r\n\r\n") << 20;
        QTest::newRow("status line without code") << QByteArray("HTTP/1.1\r\n\r\n") << 0;
        QTest::newRow("blank line alone") << QByteArray("\r\n\r\n") << 0;
    }

    void statusLine() {
        QFETCH(QByteArray, answer);
        QFETCH(int, status);
        PeerServer peer(PeerServer::Part::AnswerAndClose, answer);
        QVERIFY(peer.listening());
        CHttpSocket client;
        QVERIFY(request(client, peer));
        QCOMPARE(client.GetServerState(), status);
        int length = -1;
        const char* header = client.GetResponseHeader(length);
        QVERIFY(header != nullptr);
        QCOMPARE(length, int(answer.size()));
        QCOMPARE(QByteArray(header), answer);
        QCOMPARE(peer.received(), kPlainRequest);
    }

    void fields_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("value");
        QTest::newRow("colon and blank")
            << QByteArray("Content-Length: 1234\r\n") << "Content-Length" << 4 << "1234";
        QTest::newRow("colon alone")
            << QByteArray("Content-Length:1234\r\n") << "Content-Length" << 4 << "1234";
        QTest::newRow("blanks and tab both sides")
            << QByteArray("Content-Length: \t 1234 \t\r\n") << "Content-Length" << 4 << "1234";
        QTest::newRow("name in small letters")
            << QByteArray("Content-Length: 1234\r\n") << "content-length" << 4 << "1234";
        QTest::newRow("field in capitals")
            << QByteArray("CONTENT-LENGTH: 1234\r\n") << "Content-Length" << 4 << "1234";
        QTest::newRow("name inside an earlier value")
            << QByteArray("X-Note: Content-Length: 1\r\nContent-Length: 22\r\n") << "Content-Length"
            << 2 << "22";
        QTest::newRow("name only inside a value")
            << QByteArray("X-Note: Content-Length: 1\r\n") << "Content-Length" << -1 << "";
        QTest::newRow("longer name")
            << QByteArray("Content-Length-Extra: 5\r\n") << "Content-Length" << -1 << "";
        QTest::newRow("first of two")
            << QByteArray("Set-Cookie: a=1\r\nSet-Cookie: b=2\r\n") << "Set-Cookie" << 3 << "a=1";
        QTest::newRow("empty value") << QByteArray("Location:\r\n") << "Location" << 0 << "";
        QTest::newRow("bare line feed ends a line")
            << QByteArray("Server: x\nLocation: /y\r\n") << "Location" << 2 << "/y";
        // "中文" in GB18030, the code page of the update server's texts.
        QTest::newRow("Chinese value")
            << QByteArray("X-Title: \xd6\xd0\xce\xc4\r\n") << "X-Title" << 2 << "中文";
        // A lead byte that a bare LF cuts off is no character and goes; the
        // CR before it then ends the line and must not stay in the value.
        QTest::newRow("character cut off after a CR")
            << QByteArray("Content-Length: -5\r\xd6\nServer: x\r\n") << "Content-Length" << 2
            << "-5";
        QTest::newRow("missing") << QByteArray("Server: x\r\n") << "Content-Length" << -1 << "";
    }

    void fields() {
        QFETCH(QByteArray, lines);
        QFETCH(QString, name);
        QFETCH(int, result);
        QFETCH(QString, value);
        PeerServer peer(PeerServer::Part::AnswerAndClose, "HTTP/1.1 200 OK\r\n" + lines + "\r\n");
        QVERIFY(peer.listening());
        CHttpSocket client;
        QVERIFY(request(client, peer));
        QString found = QStringLiteral("left from before");
        QCOMPARE(client.GetField(name, found), result);
        QCOMPARE(found, value);
    }

    void responseLines() {
        const QByteArray answer = "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n";
        PeerServer peer(PeerServer::Part::AnswerAndClose, answer);
        QVERIFY(peer.listening());
        CHttpSocket client;
        QVERIFY(request(client, peer));
        char line[64];
        QCOMPARE(client.GetResponseLine(line, 5), 5);
        QCOMPARE(QByteArray(line, 5), QByteArray("HTTP/"));
        QCOMPARE(client.GetResponseLine(line, sizeof line), 12);
        QCOMPARE(QByteArray(line, 12), QByteArray("1.1 200 OK\r\n"));
        QCOMPARE(client.GetResponseLine(line, sizeof line), 19);
        QCOMPARE(QByteArray(line, 19), QByteArray("Content-Length: 4\r\n"));
        QCOMPARE(client.GetResponseLine(line, sizeof line), 2);
        QCOMPARE(client.GetResponseLine(line, sizeof line), -1);
        QCOMPARE(client.GetResponseLine(line, sizeof line), 17);
        QCOMPARE(QByteArray(line, 17), QByteArray("HTTP/1.1 200 OK\r\n"));
    }

    // The header and its terminator share the 1024-byte buffer; what does not
    // end in it is no header, however much the peer sends.
    void responseHeaderSize_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<PeerServer::Part>("part");
        QTest::addColumn<bool>("read");
        QTest::newRow("1023 bytes")
            << headerOfSize(1023) << PeerServer::Part::AnswerAndClose << true;
        QTest::newRow("1024 bytes")
            << headerOfSize(1024) << PeerServer::Part::AnswerAndClose << false;
        QTest::newRow("3000 bytes")
            << headerOfSize(3000) << PeerServer::Part::AnswerAndClose << false;
        QTest::newRow("endless") << QByteArray("HTTP/1.1 200 OK\r\nX-Pad: ")
                                 << PeerServer::Part::AnswerEndlessly << false;
        QTest::newRow("body without header")
            << QByteArray("VERSION=1.2\r\n") << PeerServer::Part::AnswerAndClose << false;
        QTest::newRow("nothing") << QByteArray() << PeerServer::Part::AnswerAndClose << false;
    }

    void responseHeaderSize() {
        QFETCH(QByteArray, answer);
        QFETCH(PeerServer::Part, part);
        QFETCH(bool, read);
        PeerServer peer(part, answer);
        QVERIFY(peer.listening());
        CHttpSocket client;
        QCOMPARE(request(client, peer), read);
        QCOMPARE(client.GetServerState(), read ? 200 : -1);
        QString value;
        QCOMPARE(client.GetField(QStringLiteral("X-Pad"), value), read ? 1023 - 28 : -1);
        int length = -1;
        const char* header = client.GetResponseHeader(length);
        QCOMPARE(header != nullptr, read);
        QCOMPARE(length, read ? 1023 : 0);
        char line[8];
        QCOMPARE(client.GetResponseLine(line, sizeof line), read ? 8 : -1);
    }

    void body_data() {
        QTest::addColumn<QByteArray>("contentLength");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<long>("chunk");
        QTest::newRow("whole") << QByteArray("13") << QByteArray("VERSION=1.2\r\n") << 1024L;
        QTest::newRow("whole in small reads")
            << QByteArray("13") << QByteArray("VERSION=1.2\r\n") << 5L;
        QTest::newRow("cut in the middle") << QByteArray("100") << QByteArray(40, 'b') << 1024L;
        QTest::newRow("negative length") << QByteArray("-5") << QByteArray("abc") << 1024L;
        QTest::newRow("huge length")
            << QByteArray("99999999999999999999") << QByteArray("abc") << 1024L;
    }

    // The body is what follows the blank line, to the byte, whatever length
    // the header claims; a peer that stops early ends the reading with 0, and
    // the object is closed from then on.
    void body() {
        QFETCH(QByteArray, contentLength);
        QFETCH(QByteArray, body);
        QFETCH(long, chunk);
        const QByteArray header =
            "HTTP/1.1 200 OK\r\nContent-Length: " + contentLength + "\r\n\r\n";
        PeerServer peer(PeerServer::Part::AnswerAndClose, header + body);
        QVERIFY(peer.listening());
        CHttpSocket client;
        QVERIFY(request(client, peer));
        QString value;
        QCOMPARE(client.GetField(QStringLiteral("Content-Length"), value),
                 int(contentLength.size()));
        QCOMPARE(value, QString::fromLatin1(contentLength));
        QCOMPARE(receiveAll(client, chunk), std::optional<QByteArray>(body));
        char buffer[4];
        QCOMPARE(client.Receive(buffer, sizeof buffer), 0L);
        // The header outlives the connection.
        QCOMPARE(client.GetServerState(), 200);
    }

    // A peer that has gone must fail the send, not end the program with
    // SIGPIPE; the signal is blocked here so that it would show as pending.
    void peerClosesAtOnce() {
        PeerServer peer(PeerServer::Part::CloseAtOnce);
        QVERIFY(peer.listening());
        sigset_t pipeOnly;
        sigemptyset(&pipeOnly);
        sigaddset(&pipeOnly, SIGPIPE);
        sigset_t before;
        QCOMPARE(pthread_sigmask(SIG_BLOCK, &pipeOnly, &before), 0);

        CHttpSocket client;
        QVERIFY(client.Socket());
        QVERIFY(client.SetTimeout(kWaitMs, 0));
        QVERIFY(client.Connect("127.0.0.1", peer.port()));
        QCOMPARE(peer.received(), QByteArray()); // waits until the peer has closed
        long length = 0;
        client.FormatRequestHeader("127.0.0.1", "/", length);
        QVERIFY(!client.SendRequest());
        QCOMPARE(client.GetServerState(), -1);
        // The peer's reset has come by now, so this send meets a broken pipe.
        QVERIFY(!client.SendRequest());
        char buffer[8];
        QVERIFY(client.Receive(buffer, sizeof buffer) <= 0);
        QCOMPARE(client.Receive(buffer, sizeof buffer), 0L);

        sigset_t pending;
        sigpending(&pending);
        const bool raised = sigismember(&pending, SIGPIPE) == 1;
        if (raised) {
            int taken = 0;
            sigwait(&pipeOnly, &taken);
        }
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        QVERIFY(!raised);
    }

    void silentPeerTimesOut() {
        PeerServer peer(PeerServer::Part::AnswerAndWait);
        QVERIFY(peer.listening());
        CHttpSocket client;
        QVERIFY(client.Socket());
        QVERIFY(client.SetTimeout(200, 0));
        QVERIFY(client.Connect("127.0.0.1", peer.port()));
        long length = 0;
        client.FormatRequestHeader("127.0.0.1", "/", length);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!client.SendRequest());
        const qint64 waited = timer.elapsed();
        QVERIFY2(waited >= 190 && waited < kWaitMs, qPrintable(QString::number(waited)));
        QCOMPARE(client.GetServerState(), -1);
    }

    // A listener whose queue is full drops every further SYN, so a connect to
    // it gets no answer at all; the send time-out must end it.
    void connectTimesOut() {
        const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        QVERIFY(listener >= 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        QCOMPARE(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        QCOMPARE(::listen(listener, 0), 0);
        QCOMPARE(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
        CHttpSocket queued;
        QVERIFY(queued.Socket());
        QVERIFY(queued.Connect("127.0.0.1", ntohs(address.sin_port)));

        CHttpSocket client;
        QVERIFY(client.Socket());
        QVERIFY(client.SetTimeout(200, 1));
        QElapsedTimer timer;
        timer.start();
        const bool connected = client.Connect("127.0.0.1", ntohs(address.sin_port));
        const qint64 waited = timer.elapsed();
        ::close(listener);
        QVERIFY(!connected);
        QVERIFY2(waited >= 190 && waited < kWaitMs, qPrintable(QString::number(waited)));
    }

    // Nothing is sent or read without a connection, and none is made from
    // a bad address or without a socket.
    void withoutConnection() {
        CHttpSocket client;
        long length = 0;
        QVERIFY(client.FormatRequestHeader("127.0.0.1", "/", length) != nullptr);
        QVERIFY(!client.SendRequest());
        QVERIFY(!client.Connect("127.0.0.1", 80)); // no socket made
        QVERIFY(client.Socket());
        QVERIFY(!client.SendRequest());
        char buffer[8];
        QCOMPARE(client.Receive(buffer, sizeof buffer), 0L);
        QCOMPARE(client.GetServerState(), -1);
        QString value;
        QCOMPARE(client.GetField(QStringLiteral("Content-Length"), value), -1);
        QVERIFY(!client.Connect(nullptr, 80));
        QVERIFY(!client.Connect("", 80));
        QVERIFY(!client.Connect("127.0.0.1", 0));
        QVERIFY(!client.Connect("127.0.0.1", 65536));
        QVERIFY(!client.SetTimeout(-1, 0));

        PeerServer peer(PeerServer::Part::AnswerAndWait, kOkHeader);
        QVERIFY(peer.listening());
        QVERIFY(client.Connect("127.0.0.1", peer.port()));
        QVERIFY(!client.Socket());
        // Connecting again closes the connection and needs a new socket.
        QVERIFY(!client.Connect("127.0.0.1", peer.port()));
        QVERIFY(peer.clientClosed());
        QVERIFY(!client.SetTimeout(100, 0));
        QVERIFY(client.CloseSocket());
    }

    // The descriptor that stands for "no socket" must be one no socket can
    // have: with standard input closed, as under CI, a new socket gets 0.
    void socketOnDescriptorZero() {
        PeerServer peer(PeerServer::Part::AnswerAndClose, kOkHeader + "VERSION=1.2\r\n");
        QVERIFY(peer.listening());
        const int savedInput = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
        QVERIFY(savedInput >= 0);
        ::close(0);
        struct Restore {
            int saved;
            ~Restore() {
                ::dup2(saved, 0);
                ::close(saved);
            }
        } restore{savedInput};

        CHttpSocket client;
        QVERIFY(request(client, peer));
        int type = 0;
        socklen_t size = sizeof type;
        QCOMPARE(::getsockopt(0, SOL_SOCKET, SO_TYPE, &type, &size), 0);
        QCOMPARE(type, int(SOCK_STREAM));
        QCOMPARE(client.GetServerState(), 200);
        QCOMPARE(receiveAll(client, 64), std::optional<QByteArray>("VERSION=1.2\r\n"));
        QVERIFY(!isOpen(0));
    }

    void adoptedSocket() {
        int ends[2];
        QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
        const QByteArray answer = kOkHeader + "VERSION=1.2\r\n";
        QCOMPARE(::write(ends[1], answer.constData(), answer.size()), answer.size());
        ::shutdown(ends[1], SHUT_WR);
        {
            CHttpSocket client;
            QVERIFY(!client.adoptConnected(-1));
            QVERIFY(client.adoptConnected(ends[0]));
            QVERIFY(client.SendRequest("GET / HTTP/1.1\r\n\r\n"));
            QCOMPARE(client.GetServerState(), 200);
            QCOMPARE(receiveAll(client, 1024), std::optional<QByteArray>("VERSION=1.2\r\n"));
        }
        QVERIFY(!isOpen(ends[0]));
        char sent[32] = {};
        QCOMPARE(::read(ends[1], sent, sizeof sent), 18L);
        QCOMPARE(QByteArray(sent), QByteArray("GET / HTTP/1.1\r\n\r\n"));
        ::close(ends[1]);
    }
};

QTEST_GUILESS_MAIN(TestHttpSocket)
#include "tst_httpsocket.moc"
