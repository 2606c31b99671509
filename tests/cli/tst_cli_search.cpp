#include "CliRun.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "Workspace.h"
#include "config/FirstRunSetup.h"
#include "config/TextCodec.h"
#include "store/CategoryCode.h"

#include <QDir>
#include <QtTest>

// keepsake-cli search and grep as a script runs them, on a base the test
// fills through the store: a root "检索" (0Z0000) with one minor holding
// materials, keywords and files.
class TestCliSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    QString filesRoot;
    CliRun run;
    QString& out = run.out;
    QString& err = run.err;
    QStringList lines() const { return run.lines(); }

    QString folderOf(int id) const {
        return filesRoot + CategoryCode::MaterialFolder("0Z0101", QString::number(id));
    }
    void addMaterial(KnowledgeStore& store, int id, const QString& name, const QString& created,
                     const QStringList& keywords) {
        MaterialRecord m;
        m.MinuItemID = QString::number(id);
        m.MinuItemName = name;
        m.ItemID = "0Z0101";
        m.DescribeFileType = "2";
        m.MinuItemFilePath = CategoryCode::MaterialFolder(m.ItemID, m.MinuItemID);
        m.CreateTime = created;
        QVERIFY(store.InsertMaterial(m));
        for (const QString& k : keywords)
            QVERIFY(store.InsertKeyword(m.MinuItemID, k));
        QVERIFY(QDir().mkpath(folderOf(id)));
    }
    // Files hold the system's 8-bit encoding, as the search reads them.
    void writeFile(int id, const QString& name, const QString& text) {
        QVERIFY(writeBytes(folderOf(id) + name, TextCodec::encode(text)));
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        run.home = home->path();
        ScriptedPrompter prompter;
        QVERIFY(FirstRunSetup::complete(home->paths(), "脚本库", home->path("kb"), prompter));
        Workspace workspace(home->paths(), prompter);
        QVERIFY(workspace.loadConfiguration([] { return true; }));
        QVERIFY(workspace.OpenBase(1));
        filesRoot = workspace.currentBase().FilesRoot;
        KnowledgeStore& store = workspace.store();
        QVERIFY(store.InsertItem("检索", "0Z0000"));
        QVERIFY(store.InsertItem("大项", "0Z0100"));
        QVERIFY(store.InsertItem("小项", "0Z0101"));
        addMaterial(store, 9001, "甲一 Report", "2009-03-01 08:00:00", {"键 one", "键 two"});
        addMaterial(store, 9002, "乙二", "2009-03-07 22:00:00", {"键 three"});
        addMaterial(store, 9003, "甲三", "2009-03-08 00:00:00", {});
        QVERIFY(store.SetMaterialFlag("9003", "EOS", "2009-03-09 00:00:00"));
        writeFile(9001, "a.txt", "line one 甲\r\nsecond\r\n甲 again\r\n");
        writeFile(9002, "b.ini", "Key=甲\n");
        writeFile(9002, "c.dat", "甲\n");
        writeFile(9002, ".hidden.txt", "甲\n");
    }

    void searchPrintsTheResultList() {
        QCOMPARE(run({"search", "report", "--scope", "0Z0000"}), 0);
        QCOMPARE(lines(), QStringList({"根据资料名称对本地知识库 'report'进行搜索...",
                                       "[9001\t] 甲一 Report", "共有1条记录被发现."}));
        QCOMPARE(run({"search", "键", "--keyword", "--scope", "0Z0101"}), 0);
        QCOMPARE(lines(),
                 QStringList({"根据关键字对本地知识库 '键'进行搜索...", "[9001\t] 甲一 Report",
                              "[9002\t] 乙二", "共有2条记录被发现."}));
        // The end day counts whole.
        QCOMPARE(
            run({"search", "", "--from", "2009-03-01", "--to", "2009-03-07", "--scope", "0Z0100"}),
            0);
        QCOMPARE(lines(), QStringList({"根据时间对本地知识库进行搜索...", "[9002\t] 乙二",
                                       "[9001\t] 甲一 Report", "共有2条记录被发现."}));
        // 甲三 is in the recycle bin.
        QCOMPARE(run({"search", "甲", "--name", "--to", "2009-03-08", "--from", "2009-03-01"}), 0);
        QCOMPARE(lines().mid(1), QStringList({"[9001\t] 甲一 Report", "共有1条记录被发现."}));
    }

    void searchRefusesWhatTheDialogRefuses() {
        QCOMPARE(run({"search", ""}), 1);
        QCOMPARE(err.trimmed(), QString("提示: 请输入查询目标!"));
        QCOMPARE(run({"search", "x", "--from", "2009-03-01"}), 1);
        QCOMPARE(err.trimmed(), QString("提示: 请选择资料创建时间范围!"));
        QCOMPARE(run({"search", "x", "--scope", "0Z0200"}), 1);
        QCOMPARE(err.trimmed(), QString("错误: 没有找到知识库项 '0Z0200'!"));
        QCOMPARE(run({"search", "x", "--from", "2009-3-1", "--to", "2009-03-07"}), 2);
        QCOMPARE(run({"search", "x", "--regex"}), 2);
        QCOMPARE(run({"search"}), 2);
        QVERIFY(out.isEmpty());
    }

    void grepPrintsTheResultTree() {
        // Without --types: the default group, *.txt;*.ini;*.xml.
        QCOMPARE(run({"grep", "甲", "--scope", "0Z0000"}), 0);
        QCOMPARE(lines(),
                 QStringList({"搜索'甲' --[脚本库\\检索]知识库根项", folderOf(9001) + "a.txt",
                              "\t[1行] line one 甲", "\t[3行] 甲 again", folderOf(9002) + "b.ini",
                              "\t[1行] Key=甲", "搜索完成,包含2个相关文件"}));
        QCOMPARE(err, QString("匹配的行数: 3,\t匹配的文件数: 2,\t搜索总文件数: 2\n"));

        QCOMPARE(run({"grep", "甲", "--scope", "0Z0101", "--types", "*.dat;*.txt", "--hidden",
                      "--names-only"}),
                 0);
        QCOMPARE(lines().size(), 5);
        QVERIFY(lines().contains(folderOf(9002) + "c.dat"));
        QVERIFY(lines().contains(folderOf(9002) + ".hidden.txt"));
        QCOMPARE(err, QString("匹配的行数: 0,\t匹配的文件数: 3,\t搜索总文件数: 3\n"));

        QCOMPARE(run({"grep", "^LINE", "--regex", "--scope", "0Z0101"}), 0);
        QCOMPARE(lines().mid(1, 2), QStringList({folderOf(9001) + "a.txt", "\t[1行] line one 甲"}));
        QCOMPARE(run({"grep", "^LINE", "--regex", "--case", "--scope", "0Z0101"}), 0);
        QCOMPARE(lines().size(), 2);
    }

    void grepRefusesWhatTheDialogRefuses() {
        QCOMPARE(run({"grep", "", "--scope", "0Z0000"}), 1);
        QCOMPARE(err.trimmed(), QString("提示: 请输入查询目标!"));
        QCOMPARE(run({"grep", "x", "--types", ""}), 1);
        QCOMPARE(err.trimmed(), QString("提示: 请输入查询文件类型!"));
        QCOMPARE(run({"grep", "x", "--types"}), 2);
    }
};

QTEST_GUILESS_MAIN(TestCliSearch)
#include "tst_cli_search.moc"
