// Which status texts reach the status bar: link addresses and the browser's
// progress messages, each rule on its edge.

#include "web/StatusTextFilter.h"

#include <QTest>

class TestStatusTextFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");
        QTest::newRow("scheme at 4") << "http://example.com/" << true;
        QTest::newRow("scheme at 10") << "0123456789://x" << true;
        QTest::newRow("scheme at 11") << "01234567890://x" << false;
        QTest::newRow("address within a sentence") << "see the page http://x" << false;
        QTest::newRow("about") << "about:blank" << true;
        QTest::newRow("about later") << "go to about:blank" << false;
        QTest::newRow("mailto") << "mailto:me@example.com" << true;
        QTest::newRow("javascript") << "javascript:void(0)" << true;
        // "://" is looked for first; found late, mailto at 0 does not count.
        QTest::newRow("late scheme hides mailto") << "mailto:me then http://x" << false;
        QTest::newRow("正在 and more") << QStringLiteral("正在打开网页 http://x") << true;
        QTest::newRow("完成") << QStringLiteral("完成") << true;
        QTest::newRow("项剩余 inside") << QStringLiteral("(还有 2 项剩余) 正在下载") << true;
        QTest::newRow("remaining inside") << "(3 items remaining) Downloading" << true;
        QTest::newRow("Web") << "Web site found. Waiting for reply..." << true;
        QTest::newRow("download lower case") << "downloading page" << true;
        QTest::newRow("Download capital") << "Download page" << false;
        QTest::newRow("Done") << "Done" << true;
        QTest::newRow("Done with more") << "Done." << false;
        QTest::newRow("page's own text") << "Welcome to my home page!" << false;
        QTest::newRow("Chinese page text") << QStringLiteral("欢迎光临") << false;
    }

    void filter() {
        QFETCH(QString, text);
        QFETCH(bool, shown);
        StatusTextFilter filter;
        QCOMPARE(filter.pass(text), shown);
    }

    void emptyOnlyOnce() {
        StatusTextFilter filter;
        QVERIFY(filter.pass(QString()));
        QVERIFY(!filter.pass(QString()));
        QVERIFY(filter.pass(QStringLiteral("http://a/")));
        QVERIFY(filter.pass(QString()));
        // A dropped text leaves the bar empty, so the next empty one is not new.
        QVERIFY(!filter.pass(QStringLiteral("page text")));
        QVERIFY(!filter.pass(QString()));
    }
};

QTEST_GUILESS_MAIN(TestStatusTextFilter)
#include "tst_statustextfilter.moc"
