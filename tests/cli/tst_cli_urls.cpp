#include "CliRun.h"
#include "TestHome.h"
#include "config/TextCodec.h"

#include <QRegularExpression>
#include <QtTest>

// `keepsake-cli urls`: the kept web addresses as rows, and adding one, with
// the window's texts on stderr when it is refused. No base is needed.
class TestCliUrls : public QObject {
    Q_OBJECT

    static constexpr const char* kTime = "2026-03-04 05:06:07";
    static constexpr const char* kFile = "ResourceConfig/UserUrlConfig.ini";

    std::unique_ptr<TestHome> home;
    CliRun run;

    // The entries on disk as "id|group id|title|address", read from the
    // file's bytes without the program's reader.
    QStringList entriesOnDisk() const {
        const QString text = TextCodec::decode(home->read(kFile));
        const QRegularExpression line(
            QStringLiteral("^UserUrl=([^|]*)\\|([^|]*)\\|[^|]*\\|([^|]*)\\|([^|]*)\\|\\r$"),
            QRegularExpression::MultilineOption);
        QStringList entries;
        for (auto it = line.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            entries.append(
                QStringList{m.captured(1), m.captured(2), m.captured(3), m.captured(4)}.join(
                    QLatin1Char('|')));
        }
        return entries;
    }

private Q_SLOTS:
    void initTestCase() { qputenv("KEEPSAKE_FIXED_TIME", kTime); }
    void init() {
        home = std::make_unique<TestHome>();
        run.home = home->path();
    }

    void addsAndListsEntries() {
        QCOMPARE(run({"urls"}), 0);
        QCOMPARE(run.out, QString());
        QCOMPARE(run({"urls", "add", " 新浪 ", "http://www.sina.com.cn/"}), 0);
        QCOMPARE(run.out, QString("1\t新浪\thttp://www.sina.com.cn\t2026-03-04 05:06:07\t0\n"));
        QCOMPARE(run({"urls", "add", "百度", "http://www.baidu.com", "--group", "未分类网址"}), 0);
        QCOMPARE(run.lines(),
                 QStringList({"1\t新浪\thttp://www.sina.com.cn\t2026-03-04 05:06:07\t0",
                              "2\t百度\thttp://www.baidu.com\t2026-03-04 05:06:07\t0"}));
        QCOMPARE(run.err, QString());
        QCOMPARE(home->read(kFile),
                 TextCodec::encode(QString::fromUtf8(
                     "[GROUPURL]\r\n[USERURL]\r\n"
                     "UserUrl=1|0|2026-03-04 05:06:07|新浪|http://www.sina.com.cn|\r\n"
                     "UserUrl=2|0|2026-03-04 05:06:07|百度|http://www.baidu.com|\r\n")));
    }

    void listsOneGroup() {
        home->write(kFile, TextCodec::encode(QString::fromUtf8(
                               "[GROUPURL]\r\nGroupUrl=1|工作|\r\nGroupUrl=2|娱乐|\r\n"
                               "[USERURL]\r\n"
                               "UserUrl=4|1|2024-01-01 10:00:00|甲|http://a|\r\n"
                               "UserUrl=5|0|2024-01-01 10:00:00|乙|http://b|\r\n")));
        QCOMPARE(run({"urls", "--group", "工作"}), 0);
        QCOMPARE(run.out, QString("4\t甲\thttp://a\t2024-01-01 10:00:00\t1\n"));
        QCOMPARE(run({"urls", "--group", "未分类网址"}), 0);
        QCOMPARE(run.out, QString("5\t乙\thttp://b\t2024-01-01 10:00:00\t0\n"));
        QCOMPARE(run({"urls", "--group", "娱乐"}), 0);
        QCOMPARE(run.out, QString());
        QCOMPARE(run({"urls", "add", "丙", "http://c", "--group", "娱乐"}), 0);
        QCOMPARE(run.out, QString("6\t丙\thttp://c\t2026-03-04 05:06:07\t2\n"));
        QCOMPARE(run({"urls", "--group", "全部网址"}), 0);
        QCOMPARE(run.lines().size(), 3);
    }

    void refusalsSayWhyAndFail() {
        QCOMPARE(run({"urls", "add", "新浪", "http://sina.com"}), 0);
        QCOMPARE(run({"urls", "add", "又一个", "http://sina.com/"}), 1);
        QCOMPARE(run.err, QString("提示: 当前网址已经存在,不能再添加!\n"));
        QCOMPARE(run.out, QString());
        QCOMPARE(run({"urls", "add", " ", "http://x"}), 1);
        QCOMPARE(run.err, QString("错误: 请填写网址名!\n"));
        QCOMPARE(run({"urls", "add", "x", ""}), 1);
        QCOMPARE(run.err, QString("错误: 请填写URL!\n"));
        QCOMPARE(run({"urls", "add", "x", "http://x", "--group", "没有这个组"}), 1);
        QCOMPARE(run.err, QString("错误: 无法获取网页地址组!\n"));
        QCOMPARE(run({"urls", "--group", "没有这个组"}), 1);
        QCOMPARE(run.err, QString("错误: 无法获取网页地址组!\n"));
        QCOMPARE(entriesOnDisk(), QStringList({"1|0|新浪|http://sina.com"}));
    }

    void badUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("title only") << QStringList{"urls", "add", "x"};
        QTest::newRow("no group name") << QStringList{"urls", "--group"};
        QTest::newRow("unknown word") << QStringList{"urls", "list"};
        QTest::newRow("too many") << QStringList{"urls", "add", "x", "http://x", "y"};
    }
    void badUsage() {
        QFETCH(QStringList, args);
        QCOMPARE(run(args), 2);
        QVERIFY(run.err.startsWith("usage: keepsake-cli"));
        QVERIFY(!QFile::exists(home->path(kFile)));
    }

    // Two scripts adding at once: every entry either reported added is in
    // the file, each under an id of its own.
    void twoProcessesLoseNoEntry() {
        constexpr int kEach = 12;
        const QString script =
            QStringLiteral("for i in $(seq %1); do "
                           "  \"$CLI\" --home \"$HOME_DIR\" urls add \"w$W-$i\" \"http://w$W/$i\" "
                           "    >/dev/null 2>&1; echo \"$?\"; "
                           "done")
                .arg(kEach);
        std::vector<std::unique_ptr<QProcess>> lanes;
        for (int w = 0; w < 2; ++w) {
            auto lane = std::make_unique<QProcess>();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("CLI", KEEPSAKE_CLI);
            env.insert("HOME_DIR", home->path());
            env.insert("W", QString::number(w));
            lane->setProcessEnvironment(env);
            lanes.push_back(std::move(lane));
        }
        for (auto& lane : lanes)
            lane->start("sh", {"-c", script});
        for (auto& lane : lanes) {
            QVERIFY(lane->waitForFinished(240000));
            QCOMPARE(QString::fromUtf8(lane->readAllStandardOutput()),
                     QString("0\n").repeated(kEach));
        }
        const QStringList entries = entriesOnDisk();
        QCOMPARE(entries.size(), 2 * kEach);
        QSet<QString> ids, titles;
        for (const QString& e : entries) {
            ids.insert(e.section('|', 0, 0));
            titles.insert(e.section('|', 2, 2));
        }
        QCOMPARE(ids.size(), 2 * kEach);
        for (int w = 0; w < 2; ++w) {
            for (int i = 1; i <= kEach; ++i)
                QVERIFY(titles.contains(QString("w%1-%2").arg(w).arg(i)));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliUrls)
#include "tst_cli_urls.moc"
