// What Enter in the address box opens, on the worked examples of typed
// words, host names and paths, and which list entry the box shows after.

#include "web/AddressRules.h"

#include <QTest>

namespace {

const QString kHost = QStringLiteral("kw.example.com");

} // namespace

class TestAddressRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void enter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("shown");
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        const QString lookup = QStringLiteral("http://kw.example.com/cns.dll?type=cns&fa=1&name=");

        QTest::newRow("word looked up") << "keepsake" << none << kHost << lookup + "keepsake"
                                        << "keepsake";
        QTest::newRow("word with Ctrl is a host")
            << "keepsake" << ctrl << kHost << "http://keepsake"
            << "http://keepsake";
        QTest::newRow("word with Shift is a host")
            << "keepsake" << shift << kHost << "http://keepsake"
            << "http://keepsake";
        QTest::newRow("word trimmed") << "  keepsake \t" << none << kHost << lookup + "keepsake"
                                      << "keepsake";
        // UTF-8 of 知识 is E7 9F A5 E8 AF 86.
        QTest::newRow("Chinese word encoded")
            << QStringLiteral("知识") << none << kHost << lookup + "%E7%9F%A5%E8%AF%86"
            << QStringLiteral("知识");
        QTest::newRow("parameters stay in the name")
            << "a&b=c#d e" << none << kHost << lookup + "a%26b%3Dc%23d%20e"
            << "a&b=c#d e";
        QTest::newRow("service with a port")
            << "keepsake" << none << "kw.example.com:8080"
            << "http://kw.example.com:8080/cns.dll?type=cns&fa=1&name=keepsake"
            << "keepsake";

        QTest::newRow("no service: word is a host") << "keepsake" << none << ""
                                                    << "http://keepsake"
                                                    << "keepsake";
        QTest::newRow("service not a host") << "keepsake" << none << "kw.example.com/x?y"
                                            << "http://keepsake"
                                            << "keepsake";
        QTest::newRow("service with a user") << "keepsake" << none << "me@kw.example.com"
                                             << "http://keepsake"
                                             << "keepsake";

        QTest::newRow("dot gets http")
            << "www.example.com" << none << kHost << "http://www.example.com"
            << "www.example.com";
        QTest::newRow("dot with Ctrl shows all")
            << "www.example.com" << ctrl << kHost << "http://www.example.com"
            << "http://www.example.com";
        QTest::newRow("drive letter keeps backslashes")
            << "c:\\notes\\page.htm" << none << kHost << "c:\\notes\\page.htm"
            << "c:\\notes\\page.htm";
        QTest::newRow("later colon turns backslashes")
            << "http:\\\\example.com\\a\\b.htm" << none << kHost << "http://example.com/a/b.htm"
            << "http:\\\\example.com\\a\\b.htm";
        QTest::newRow("colon at 2 turns backslashes") << "ab:\\x" << none << kHost << "ab:/x"
                                                      << "ab:\\x";
        QTest::newRow("address kept")
            << "https://example.com/a?b=1" << none << kHost << "https://example.com/a?b=1"
            << "https://example.com/a?b=1";
        QTest::newRow("local path not looked up")
            << "/home/me/notes" << none << kHost << "/home/me/notes"
            << "/home/me/notes";
        QTest::newRow("local page") << "/home/me/a.htm" << ctrl << kHost << "/home/me/a.htm"
                                    << "/home/me/a.htm";
    }

    void enter() {
        QFETCH(QString, typed);
        QFETCH(int, modifiers);
        QFETCH(QString, host);
        QFETCH(QString, target);
        QFETCH(QString, shown);
        const auto opening = AddressRules::enter(typed, Qt::KeyboardModifiers(modifiers), host);
        QVERIFY(opening);
        QCOMPARE(opening->target, target);
        QCOMPARE(opening->shown, shown);
    }

    void blankOpensNothing() {
        QVERIFY(!AddressRules::enter(QString(), Qt::NoModifier, kHost));
        QVERIFY(!AddressRules::enter(QStringLiteral(" \t "), Qt::ControlModifier, kHost));
    }

    void urlOf() {
        QCOMPARE(AddressRules::urlOf(QStringLiteral("/home/me/a b.htm")),
                 QUrl(QStringLiteral("file:///home/me/a%20b.htm")));
        QCOMPARE(AddressRules::urlOf(QStringLiteral("www.example.com")),
                 QUrl(QStringLiteral("http://www.example.com")));
        QCOMPARE(AddressRules::urlOf(QStringLiteral(" http://127.0.0.1:8080/a ")),
                 QUrl(QStringLiteral("http://127.0.0.1:8080/a")));
        QCOMPARE(AddressRules::urlOf(QStringLiteral("About:blank")),
                 QUrl(QStringLiteral("about:blank")));
    }

    void findTyped() {
        const QStringList entries = {QStringLiteral("http://a.com/"),
                                     QStringLiteral("http://b.com"), QStringLiteral("http://c.com"),
                                     QStringLiteral("http://c.com/")};
        QCOMPARE(AddressRules::findTyped(entries, QStringLiteral("http://a.com/")), 0);
        QCOMPARE(AddressRules::findTyped(entries, QStringLiteral("http://a.com")), 0);
        QCOMPARE(AddressRules::findTyped(entries, QStringLiteral("http://b.com/")), 1);
        // The exact entry before the one that differs by the slash.
        QCOMPARE(AddressRules::findTyped(entries, QStringLiteral("http://c.com/")), 3);
        QCOMPARE(AddressRules::findTyped(entries, QStringLiteral("http://A.com/")), -1);
        QCOMPARE(AddressRules::findTyped(entries, QStringLiteral("http://d.com")), -1);
        QCOMPARE(AddressRules::findTyped({}, QStringLiteral("/")), -1);
    }
};

QTEST_GUILESS_MAIN(TestAddressRules)
#include "tst_addressrules.moc"
