#include "CliRun.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "config/FirstRunSetup.h"

#include <QtTest>

// keepsake-cli as a script uses it: a process, its rows on stdout, its
// messages on stderr and its exit status.
class TestCli : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    CliRun run;
    QString& out = run.out;
    QString& err = run.err;
    QStringList lines() const { return run.lines(); }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        run.home = home->path();
        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(home->paths(), "脚本库", home->path("kb"), prompter));
    }

    void listsTheBaseAndItsTree() {
        QCOMPARE(run({"bases"}), 0);
        const QStringList fields = lines().value(0).split('\t');
        QCOMPARE(fields.value(0), QString("1"));
        QCOMPARE(fields.value(1), QString("脚本库"));
        QCOMPARE(fields.value(3), home->path("kb/我的知识库"));
        QCOMPARE(run({"tree"}), 0);
        QVERIFY(lines().size() >= 3);
        QVERIFY(lines().first().startsWith("010000\t"));
    }

    void changesTheTreeAndTheRecycleBin() {
        const QString odd = "It's \"odd\" 50%_x";
        QCOMPARE(run({"add-item", "000000", odd}), 0);
        const QString root = out.trimmed();
        QCOMPARE(run({"add-item", root, "大项"}), 0);
        const QString major = out.trimmed();
        QCOMPARE(major, root.left(2) + "0100");
        QCOMPARE(run({"rename-item", major, "改名"}), 0);
        QCOMPARE(run({"tree"}), 0);
        QVERIFY(!lines()
                     .filter(QRegularExpression("^" + root + "\t" +
                                                QRegularExpression::escape(odd) + "\tAOS\t"))
                     .isEmpty());
        QVERIFY(!lines().filter(major + "\t改名\tAOS").isEmpty());

        QCOMPARE(run({"delete-item", root}), 1); // it has a child
        QVERIFY(err.contains("不能对存在子项的知识库项"));
        QCOMPARE(run({"--no", "delete-item", major}), 1); // the question answered Cancel
        QCOMPARE(run({"delete-item", major}), 0);
        QCOMPARE(run({"recycle"}), 0);
        QCOMPARE(lines().size(), 1);
        QCOMPARE(lines()[0].section('\t', 1, 2), QString("知识库大项\t脚本库\\") + odd + "\\改名");
        QCOMPARE(run({"restore", "--item", major}), 0);
        QCOMPARE(run({"recycle"}), 0);
        QVERIFY(lines().isEmpty());
        QCOMPARE(run({"restore", "--item", major}), 1);
        QVERIFY(err.contains("回收站中没有"));
    }

    void materialsFromCreationToTheRecycleBin() {
        QCOMPARE(run({"new-material", "010000", "x"}), 1); // a root takes no material
        QCOMPARE(run({"tree"}), 0);
        const QString minor =
            lines().filter(QRegularExpression("^\\w{4}(?!00)\\w{2}\t")).first().section('\t', 0, 0);
        QCOMPARE(run({"new-material", minor, "会议/记录"}), 0);
        const QString id = out.trimmed();
        QCOMPARE(run({"show-material", id}), 0);
        QCOMPARE(lines().size(), 10); // the two empty fields print as empty lines
        QCOMPARE(out.split('\n').value(1), QString("会议 记录"));
        QCOMPARE(out.split('\n').value(5), QString("会议 记录.rtf"));

        QCOMPARE(run({"keywords", id, "--set", "b", "a"}), 0);
        QCOMPARE(run({"keywords", id}), 0);
        QCOMPARE(lines(), QStringList({"a", "b"}));

        QCOMPARE(run({"list", minor, "--type", "other"}), 0);
        QCOMPARE(lines().value(0),
                 QString("当前显示资料过滤条件:全部,非网页文件类型,所有时间范围内的资料"));
        QCOMPARE(lines().value(1), QString("page 1/1"));
        // After the welcome materials the minor may already hold.
        QVERIFY(lines().size() >= 3);
        QVERIFY(lines().constLast().startsWith(id + "\t会议 记录\t"));

        QCOMPARE(run({"dock", "add", id}), 0);
        QCOMPARE(run({"dock", "add", id}), 0);
        QCOMPARE(lines().size(), 1); // docked once
        QCOMPARE(run({"delete-material", id}), 0);
        QCOMPARE(run({"dock"}), 0);
        QVERIFY(lines().isEmpty());
        QCOMPARE(run({"recycle"}), 0);
        QCOMPARE(lines().value(0).section('\t', 0, 1), QString("会议 记录\t资料"));
    }

    void badUsageAndMissingBases() {
        QCOMPARE(run({}), 2);
        QVERIFY(err.contains("usage:"));
        QCOMPARE(run({"no-such-command"}), 2);
        QCOMPARE(run({"move-item", "010000", "sideways"}), 2);
        QCOMPARE(run({"--base", "9", "tree"}), 1);
        QCOMPARE(err.trimmed(), QString("错误: 没有 ID 为 9 的知识库!"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
