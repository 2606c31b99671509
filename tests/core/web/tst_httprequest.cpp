// The GET request CHttpSocket composes in its fixed buffer: the lines in
// their order for the optional referrer, cookie and range, and the refusal of
// a request that would not fit. No connection is made.

#include "web/CHttpSocket.h"

#include <QTest>

#include <cstring>

namespace {

// The request the update check composes, line by line as the design lists
// them for a plain GET.
const QByteArray kPlainRequest = "GET /NetUpload/UpdateInfo.txt HTTP/1.1\r\n"
                                 "Host:127.0.0.1\r\n"
                                 "Accept:*/*\r\n"
                                 "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                                 "Connection:Keep-Alive\r\n"
                                 "\r\n";

// A null QByteArray stands for an argument that is not given.
const char* orNull(const QByteArray& text) {
    return text.isNull() ? nullptr : text.constData();
}

} // namespace

class TestHttpRequest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void requestHeader_data() {
        QTest::addColumn<QByteArray>("referer");
        QTest::addColumn<QByteArray>("cookie");
        QTest::addColumn<long>("rangeStart");
        QTest::addColumn<long>("rangeEnd");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray none;
        QTest::newRow("plain") << none << none << 0L << 0L << kPlainRequest;
        QTest::newRow("referrer and open range")
            << QByteArray("http://a.example/") << none << 100L << 0L
            << QByteArray("GET /NetUpload/UpdateInfo.txt HTTP/1.1\r\n"
                          "Host:127.0.0.1\r\n"
                          "Referer:http://a.example/\r\n"
                          "Accept:*/*\r\n"
                          "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                          "Connection:Keep-Alive\r\n"
                          "Range: bytes=100-\r\n"
                          "\r\n");
        QTest::newRow("cookie and closed range")
            << none << QByteArray("id=7") << 100L << 199L
            << QByteArray("GET /NetUpload/UpdateInfo.txt HTTP/1.1\r\n"
                          "Host:127.0.0.1\r\n"
                          "Accept:*/*\r\n"
                          "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                          "Connection:Keep-Alive\r\n"
                          "Set Cookie:0id=7\r\n"
                          "Range: bytes=100-199\r\n"
                          "\r\n");
        QTest::newRow("end not after start")
            << none << none << 50L << 50L << kPlainRequest.chopped(2) + "Range: bytes=50-\r\n\r\n";
    }

    void requestHeader() {
        QFETCH(QByteArray, referer);
        QFETCH(QByteArray, cookie);
        QFETCH(long, rangeStart);
        QFETCH(long, rangeEnd);
        QFETCH(QByteArray, expected);
        CHttpSocket client;
        long length = -1;
        const char* header =
            client.FormatRequestHeader("127.0.0.1", "/NetUpload/UpdateInfo.txt", length,
                                       orNull(cookie), orNull(referer), rangeStart, rangeEnd, 0);
        QVERIFY(header != nullptr);
        QCOMPARE(QByteArray(header), expected);
        QCOMPARE(length, long(expected.size()));

        char copy[CHttpSocket::kHeaderBufferSize];
        QCOMPARE(client.GetRequestHeader(copy, 3), 3);
        QCOMPARE(QByteArray(copy, 3), QByteArray("GET"));
        QCOMPARE(client.GetRequestHeader(copy, sizeof copy), int(expected.size()));
        QCOMPARE(QByteArray(copy, expected.size()), expected);
    }

    // The buffer holds the header with its terminator: 1023 bytes fit, 1024
    // do not, and a refused request leaves nothing that could be sent.
    void requestHeaderSize() {
        const qsizetype fixed =
            kPlainRequest.size() - qsizetype(strlen("/NetUpload/UpdateInfo.txt"));
        const QByteArray fits = "/" + QByteArray(1023 - fixed - 1, 'p');
        const QByteArray tooLong = fits + "p";
        CHttpSocket client;
        long length = 0;
        QVERIFY(client.FormatRequestHeader("127.0.0.1", fits.constData(), length) != nullptr);
        QCOMPARE(length, 1023L);
        QVERIFY(client.FormatRequestHeader("127.0.0.1", tooLong.constData(), length) == nullptr);
        QCOMPARE(length, 0L);
        char copy[CHttpSocket::kHeaderBufferSize];
        QCOMPARE(client.GetRequestHeader(copy, sizeof copy), 0);
    }
};

QTEST_GUILESS_MAIN(TestHttpRequest)
#include "tst_httprequest.moc"
