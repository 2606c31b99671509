// The browser's values in the profile: the typed addresses, newest first and
// each once, at most 25, and the start page and keyword service, empty until
// set. The file is read back with QSettings of its own.

#include "config/Profile.h"
#include "web/BrowserProfile.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestBrowserProfile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_dir.emplace();
        m_path = m_dir->filePath(QStringLiteral("Keepsake.conf"));
    }

    void emptyProfile() {
        Profile profile(m_path);
        const BrowserProfile browser(profile);
        QVERIFY(browser.typedAddresses().isEmpty());
        QVERIFY(browser.startPage().isEmpty());
        QVERIFY(browser.keywordService().isEmpty());
    }

    void newestFirstOnce() {
        Profile profile(m_path);
        BrowserProfile browser(profile);
        for (const char* address : {"http://a/", "http://b/", " http://c/ ", "http://a/"})
            QVERIFY(browser.rememberTyped(QString::fromLatin1(address)));
        QVERIFY(browser.rememberTyped(QStringLiteral("  ")));
        const QStringList expected = {"http://a/", "http://c/", "http://b/"};
        QCOMPARE(browser.typedAddresses(), expected);

        QSettings file(m_path, QSettings::IniFormat);
        QCOMPARE(file.value("Browser/url1").toString(), QStringLiteral("http://a/"));
        QCOMPARE(file.value("Browser/url3").toString(), QStringLiteral("http://b/"));
        QVERIFY(!file.contains("Browser/url4"));
    }

    void atMostTwentyFive() {
        Profile profile(m_path);
        BrowserProfile browser(profile);
        for (int i = 1; i <= 27; ++i)
            QVERIFY(browser.rememberTyped(QStringLiteral("http://site%1/").arg(i)));
        const QStringList addresses = browser.typedAddresses();
        QCOMPARE(addresses.size(), 25);
        QCOMPARE(addresses.first(), QStringLiteral("http://site27/"));
        QCOMPARE(addresses.last(), QStringLiteral("http://site3/"));

        QSettings file(m_path, QSettings::IniFormat);
        QCOMPARE(file.value("Browser/url25").toString(), QStringLiteral("http://site3/"));
        QVERIFY(!file.contains("Browser/url26"));
    }

    void listWrittenByHand() {
        {
            QSettings file(m_path, QSettings::IniFormat);
            file.setValue("Browser/url1", "http://x/");
            file.setValue("Browser/url2", "");
            file.setValue("Browser/url3", "http://x/");
            file.setValue("Browser/url4", "http://y/");
            file.setValue("Browser/url6", "http://z/"); // after a gap: not read
        }
        Profile profile(m_path);
        BrowserProfile browser(profile);
        QCOMPARE(browser.typedAddresses(), (QStringList{"http://x/", "http://y/"}));

        // Written back without the blank and the second copy; the value after
        // the gap stays unread however the list grows.
        QVERIFY(browser.rememberTyped(QStringLiteral("http://n/")));
        QVERIFY(browser.rememberTyped(QStringLiteral("http://m/")));
        QCOMPARE(browser.typedAddresses(),
                 (QStringList{"http://m/", "http://n/", "http://x/", "http://y/"}));
        QSettings file(m_path, QSettings::IniFormat);
        QVERIFY(!file.contains("Browser/url5"));
    }

    void startPageAndKeywordService() {
        {
            Profile profile(m_path);
            BrowserProfile browser(profile);
            QVERIFY(browser.setStartPage(QStringLiteral(" http://home.example/ ")));
            QVERIFY(browser.setKeywordService(QStringLiteral("kw.example.com:8080")));
        }
        Profile profile(m_path);
        const BrowserProfile browser(profile);
        QCOMPARE(browser.startPage(), QStringLiteral("http://home.example/"));
        QCOMPARE(browser.keywordService(), QStringLiteral("kw.example.com:8080"));
        QSettings file(m_path, QSettings::IniFormat);
        QCOMPARE(file.value("Browser/KeywordService").toString(),
                 QStringLiteral("kw.example.com:8080"));
    }

    void profileNotWritable() {
        // A file where the profile's folder should be: nobody can write there,
        // root included.
        QFile blocker(m_dir->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Profile profile(m_dir->filePath(QStringLiteral("blocker/Keepsake.conf")));
        BrowserProfile browser(profile);
        QVERIFY(!browser.rememberTyped(QStringLiteral("http://a/")));
        QVERIFY(!browser.setStartPage(QStringLiteral("http://a/")));
    }

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestBrowserProfile)
#include "tst_browserprofile.moc"
