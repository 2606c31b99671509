// The pages of a material's folder as the web preview lists and opens them,
// and the names a captured page and a download are saved under, on folders
// made for each case.

#include "web/CaptureFileName.h"
#include "web/MaterialPages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QDir& dir, const QStringList& names) {
    for (const QString& name : names) {
        if (name.endsWith(QLatin1Char('/'))) {
            QVERIFY(dir.mkpath(name));
            continue;
        }
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

} // namespace

class TestPageFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pages_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("resolved");
        QTest::newRow("one of each")
            << QStringList{"a.htm", "b.mht", "c.html"} << QStringList{"a", "b", "c"}
            << QStringList{"a.htm", "b.mht", "c.html"};
        // One name for each page, resolved to .htm first, then .mht, then .html.
        QTest::newRow("page, archive and html are one page")
            << QStringList{"a.mht", "a.htm", "b.html", "b.mht"} << QStringList{"a", "b"}
            << QStringList{"a.htm", "b.mht"};
        // Capitals before small letters, Chinese after both: UTF-16 order.
        QTest::newRow("code unit order")
            << QStringList{QStringLiteral("知识.htm"), "b.htm", "B.htm", "a b.mht"}
            << QStringList{"B", "a b", "b", QStringLiteral("知识")}
            << QStringList{"B.htm", "a b.mht", "b.htm", QStringLiteral("知识.htm")};
        QTest::newRow("ending in capitals, last dot ends the name")
            << QStringList{"Z.HTM", "y.Mht", "v1.2.htm"} << QStringList{"Z", "v1.2", "y"}
            << QStringList{"Z.HTM", "v1.2.htm", "y.Mht"};
        QTest::newRow("folders, hidden and other files left out")
            << QStringList{"d.htm/", ".hidden.htm", "notes.txt", "x.rtf", "e.htm"}
            << QStringList{"e"} << QStringList{"e.htm"};
    }

    void pages() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, names);
        QFETCH(QStringList, resolved);
        QTemporaryDir dir;
        touch(QDir(dir.path()), files);
        QCOMPARE(MaterialPages::names(dir.path()), names);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(MaterialPages::resolve(dir.path(), names[i]),
                     std::optional<QString>(dir.filePath(resolved[i])));
    }

    void pageGone() {
        QTemporaryDir dir;
        touch(QDir(dir.path()), {"a.htm"});
        QVERIFY(!MaterialPages::resolve(dir.path(), QStringLiteral("b")));
        QVERIFY(!MaterialPages::resolve(dir.path(), QString()));
        QVERIFY(MaterialPages::names(dir.filePath(QStringLiteral("missing"))).isEmpty());

        // A name from elsewhere does not reach a page outside the folder.
        QDir(dir.path()).mkdir(QStringLiteral("m"));
        QVERIFY(!MaterialPages::resolve(dir.filePath(QStringLiteral("m")), QStringLiteral("../a")));
    }

    void stem_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("stem");
        QTest::newRow("slash") << "AC/DC"
                               << "AC DC";
        QTest::newRow("NUL and line break") << QString::fromUtf16(u"a\0b\nc", 5) << "a b c";
        QTest::newRow("dots and blanks") << " . .x. "
                                         << "x.";
        QTest::newRow("kept as it is")
            << QStringLiteral("知识: 管理 | *?") << QStringLiteral("知识: 管理 | *?");
        QTest::newRow("nothing left") << " ./ . "
                                      << "";
    }

    void stem() {
        QFETCH(QString, title);
        QFETCH(QString, stem);
        QCOMPARE(CaptureFileName::stemOf(title), stem);
    }

    void freeName_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        const int complete = int(CaptureFormat::CompletePage);
        const int single = int(CaptureFormat::SingleFile);
        const int html = int(CaptureFormat::HtmlOnly);
        QTest::newRow("free archive") << QStringList{} << "Title" << single << "Title.mht";
        QTest::newRow("free page") << QStringList{} << "Title" << complete << "Title.htm";
        QTest::newRow("free html") << QStringList{} << "Title" << html << "Title.htm";
        QTest::newRow("html taken")
            << QStringList{"Title.html"} << "Title" << single << "Title (2).mht";
        QTest::newRow("page taken in capitals")
            << QStringList{"Title.HTM"} << "Title" << single << "Title (2).mht";
        QTest::newRow("folder taken")
            << QStringList{"Title_files/"} << "Title" << html << "Title (2).htm";
        QTest::newRow("second taken too") << QStringList{"Title.mht", "Title (2)_files/"} << "Title"
                                          << complete << "Title (3).htm";
        QTest::newRow("other names do not count")
            << QStringList{"Title.txt", "Title", "title.htm"} << "Title" << single << "Title.mht";
        QTest::newRow("fallback") << QStringList{} << "..." << single << "example.com.mht";
    }

    void freeName() {
        QFETCH(QStringList, files);
        QFETCH(QString, title);
        QFETCH(int, format);
        QFETCH(QString, name);
        QTemporaryDir dir;
        touch(QDir(dir.path()), files);
        QCOMPARE(CaptureFileName::freePath(dir.path(), title, QStringLiteral("example.com"),
                                           CaptureFormat(format)),
                 dir.filePath(name));
    }

    void untitled() {
        QTemporaryDir dir;
        QCOMPARE(CaptureFileName::freePath(dir.path(), {}, QStringLiteral(" "),
                                           CaptureFormat::SingleFile),
                 dir.filePath(QStringLiteral("无标题.mht")));
    }

    // 255 bytes less "_files" leaves 249 for the stem and its counter.
    void longTitles_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("stem");
        const QString a300(300, QLatin1Char('a'));
        QTest::newRow("ASCII") << a300 << QStringList{} << QString(249, QLatin1Char('a'));
        QTest::newRow("ASCII with counter")
            << a300 << QStringList{QString(249, QLatin1Char('a')) + ".htm"}
            << QString(245, QLatin1Char('a')) + " (2)";
        // 知 takes three bytes: 83 of them are 249 bytes.
        QTest::newRow("three-byte") << QStringLiteral("知").repeated(100) << QStringList{}
                                    << QStringLiteral("知").repeated(83);
        QTest::newRow("three-byte after one")
            << "a" + QStringLiteral("知").repeated(100) << QStringList{}
            << "a" + QStringLiteral("知").repeated(82);
        // U+1F600 takes four bytes and two UTF-16 units: 62 of them are 248.
        QTest::newRow("four-byte") << QStringLiteral("😀").repeated(70) << QStringList{}
                                   << QStringLiteral("😀").repeated(62);
        QTest::newRow("cut before a blank") << QString(248, QLatin1Char('a')) + " bcd"
                                            << QStringList{} << QString(248, QLatin1Char('a'));
    }

    void longTitles() {
        QFETCH(QString, title);
        QFETCH(QStringList, files);
        QFETCH(QString, stem);
        QTemporaryDir dir;
        touch(QDir(dir.path()), files);
        const QString path =
            CaptureFileName::freePath(dir.path(), title, {}, CaptureFormat::CompletePage);
        QCOMPARE(path, dir.filePath(stem + ".htm"));
        QVERIFY((stem + "_files").toUtf8().size() <= CaptureFileName::kMaxBytes);
        // The name can be written, and its folder beside it.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir(stem + "_files"));
    }

    void downloadName_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("name");
        QTest::newRow("free") << QStringList{} << QStringLiteral("报告.pdf")
                              << QStringLiteral("报告.pdf");
        QTest::newRow("second taken too")
            << QStringList{QStringLiteral("报告.pdf"), QStringLiteral("报告 (2).pdf")}
            << QStringLiteral("报告.pdf") << QStringLiteral("报告 (3).pdf");
        QTest::newRow("no extension") << QStringList{"README"} << "README"
                                      << "README (2)";
        QTest::newRow("last dot starts the extension") << QStringList{"a.tar.gz"} << "a.tar.gz"
                                                       << "a.tar (2).gz";
        QTest::newRow("a folder of that name") << QStringList{"data.csv/"} << "data.csv"
                                               << "data (2).csv";
        QTest::newRow("another download under way") << QStringList{"x.bin.download"} << "x.bin"
                                                    << "x (2).bin";
        QTest::newRow("other case is another file on Linux") << QStringList{"X.BIN"} << "x.bin"
                                                             << "x.bin";
        QTest::newRow("slash and leading dot") << QStringList{} << ".a/b.txt"
                                               << "a b.txt";
        QTest::newRow("nothing suggested") << QStringList{} << "" << QStringLiteral("下载");
        // 255 bytes less ".download" and ".txt" leave 242: 80 characters of 知.
        QTest::newRow("long") << QStringList{} << QStringLiteral("知").repeated(100) + ".txt"
                              << QStringLiteral("知").repeated(80) + ".txt";
        QTest::newRow("long with counter") << QStringList{QString(242, QLatin1Char('a')) + ".zip"}
                                           << QString(300, QLatin1Char('a')) + ".zip"
                                           << QString(238, QLatin1Char('a')) + " (2).zip";
    }

    void downloadName() {
        QFETCH(QStringList, files);
        QFETCH(QString, suggested);
        QFETCH(QString, name);
        QTemporaryDir dir;
        touch(QDir(dir.path()), files);
        QCOMPARE(CaptureFileName::freeDownloadPath(dir.path(), suggested), dir.filePath(name));
    }
};

QTEST_GUILESS_MAIN(TestPageFiles)
#include "tst_pagefiles.moc"
