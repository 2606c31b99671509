// The update file read by hand-made examples: where the version is taken
// from and how it compares with "1.0", which link lines name a site, and the
// length limits of each part.

#include "web/UpdateFile.h"

#include <QTest>

class TestUpdateFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void versionLine_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("crlf") << QByteArray("VERSION=1.2\r\nDOWNLOAD1=A|http://a/\r\n")
                              << QByteArray("1.2");
        QTest::newRow("blanks around") << QByteArray("VERSION= \t1.2 \t\r\n") << QByteArray("1.2");
        QTest::newRow("key text before =") << QByteArray("VERSIONX=3\n") << QByteArray("3");
        QTest::newRow("inner blank kept") << QByteArray("VERSION=2 beta\n") << QByteArray("2 beta");
        QTest::newRow("lower case") << QByteArray("version=1.2\n") << QByteArray();
        QTest::newRow("blank before VERSION") << QByteArray(" VERSION=1.2\n") << QByteArray();
        QTest::newRow("no line feed") << QByteArray("VERSION=1.2") << QByteArray();
        QTest::newRow("= on second line") << QByteArray("VERSION\nX=1.2\n") << QByteArray();
        QTest::newRow("empty version") << QByteArray("VERSION= \r\n") << QByteArray();
        QTest::newRow("html page") << QByteArray("<html>404 Not Found</html>\n") << QByteArray();
        QTest::newRow("255 bytes") << "VERSION=" + QByteArray(255, '9') + "\n"
                                   << QByteArray(255, '9');
        QTest::newRow("256 bytes") << "VERSION=" + QByteArray(256, '9') + "\n" << QByteArray();
        // 8 + 1015 bytes and the line feed fill the first block exactly.
        QTest::newRow("line feed is byte 1024")
            << "VERSION=" + QByteArray(1000, ' ') + "7" + QByteArray(14, ' ') + "\n"
            << QByteArray("7");
        QTest::newRow("line feed is byte 1025")
            << "VERSION=" + QByteArray(1000, ' ') + "7" + QByteArray(15, ' ') + "\n"
            << QByteArray();
    }

    void versionLine() {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, expected);
        const std::optional<QByteArray> version = UpdateFile::version(body);
        QCOMPARE(version.has_value(), !expected.isEmpty());
        if (version)
            QCOMPARE(*version, expected);
    }

    void newerThanOwnVersion_data() {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("newer");
        QTest::newRow("1.1") << QByteArray("1.1") << true;
        QTest::newRow("1.0.1") << QByteArray("1.0.1") << true;
        QTest::newRow("2") << QByteArray("2") << true;
        QTest::newRow("10") << QByteArray("10") << true;
        QTest::newRow("1.0") << QByteArray("1.0") << false;
        QTest::newRow("0.9") << QByteArray("0.9") << false;
        QTest::newRow("1") << QByteArray("1") << false;
        // A byte above 0x7F sorts after every digit, as an unsigned byte.
        QTest::newRow("gb18030 text") << QByteArray("\xd0\xc2") << true;
    }

    void newerThanOwnVersion() {
        QFETCH(QByteArray, version);
        QFETCH(bool, newer);
        QCOMPARE(UpdateFile::isNewer(version), newer);
    }

    void sitesInOrder() {
        const QByteArray body = "VERSION=1.2\r\n"
                                "DOWNLOAD1=Site A|http://a.example/get\r\n"
                                "DOWNLOAD3=Site C\r\n"
                                "comment=ignored|http://x/\r\n"
                                "DOWNLOAD2 = \tSite B |  https://b.example/ \r\n"
                                "DOWNLOAD4=|http://empty-name/\n"
                                "DOWNLOAD5=Empty address|  \n"
                                // A lone byte that begins a character and ends there.
                                "DOWNLOAD7=\xbe|http://no-name.example/\n"
                                "DOWNLOAD6=\xd6\xd0\xce\xc4|ftp://c.example/x";
        const QList<UpdateSite> sites = UpdateFile::sites(body);
        QCOMPARE(sites.size(), 3);
        QCOMPARE(sites[0].name, QStringLiteral("Site A"));
        QCOMPARE(sites[0].address, QStringLiteral("http://a.example/get"));
        QCOMPARE(sites[1].name, QStringLiteral("Site B"));
        QCOMPARE(sites[1].address, QStringLiteral("https://b.example/"));
        // GB18030 for "中文"; the last line needs no line feed.
        QCOMPARE(sites[2].name, QStringLiteral("中文"));
        QCOMPARE(sites[2].address, QStringLiteral("ftp://c.example/x"));
    }

    void atMostFiveSites() {
        QByteArray body = "VERSION=2\n";
        for (int i = 1; i <= 7; ++i)
            body += QByteArray("DOWNLOAD=Site ") + QByteArray::number(i) + "|http://s" +
                    QByteArray::number(i) + ".example/\n";
        const QList<UpdateSite> sites = UpdateFile::sites(body);
        QCOMPARE(sites.size(), 5);
        QCOMPARE(sites.first().name, QStringLiteral("Site 1"));
        QCOMPARE(sites.last().name, QStringLiteral("Site 5"));
    }

    void lengthLimits() {
        const QByteArray name127(127, 'n');
        const QByteArray address127 = "http://a.example/" + QByteArray(110, 'p');
        QCOMPARE(address127.size(), 127);
        // "DOWNLOAD=n|" (11), the blanks and "http://l/\n" (10): 1023 and 1024 bytes.
        const QByteArray line1023 = "DOWNLOAD=l|" + QByteArray(1002, ' ') + "http://l/\n";
        const QByteArray line1024 = "DOWNLOAD=m|" + QByteArray(1003, ' ') + "http://m/\n";
        const QByteArray body = "DOWNLOAD=" + name127 + "|" + address127 + "\n" + // kept
                                "DOWNLOAD=" + name127 + "n|http://b.example/\n" + // name 128
                                "DOWNLOAD=b|" + address127 + "p\n" +              // address 128
                                line1023 + line1024;
        const QList<UpdateSite> sites = UpdateFile::sites(body);
        QCOMPARE(sites.size(), 2);
        QCOMPARE(sites[0].name, QString::fromLatin1(name127));
        QCOMPARE(sites[0].address, QString::fromLatin1(address127));
        QCOMPARE(sites[1].address, QStringLiteral("http://l/"));
    }

    void onlyWebAddressesAreLinks_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("link");
        QTest::newRow("http") << QStringLiteral("http://a.example/x?y=1")
                              << QStringLiteral("http://a.example/x?y=1");
        QTest::newRow("https upper case")
            << QStringLiteral("HTTPS://b.example/") << QStringLiteral("https://b.example/");
        QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << QString();
        QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << QString();
        QTest::newRow("no scheme") << QStringLiteral("www.example.com") << QString();
        QTest::newRow("no host") << QStringLiteral("http:///x") << QString();
    }

    void onlyWebAddressesAreLinks() {
        QFETCH(QString, address);
        QFETCH(QString, link);
        const UpdateSite site{QStringLiteral("name"), address};
        QCOMPARE(site.link().toString(), link);
    }
};

QTEST_GUILESS_MAIN(TestUpdateFile)
#include "tst_updatefile.moc"
