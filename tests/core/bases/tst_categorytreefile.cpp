#include "BasesTestSupport.h"
#include "bases/CategoryTreeFile.h"
#include "bases/CategoryTreeImport.h"
#include "workspace/KnowledgeBaseCreator.h"

using Entry = CategoryTreeFile::Entry;

namespace {

// The user presses Stop once the work has reported its first progress.
class StoppingRunner : public LongTaskRunner {
public:
    void run(const QString& label, const Work& work) override {
        labels << label;
        TaskProgress* running = nullptr;
        TaskProgress progress([&](int, int) { running->requestStop(); });
        running = &progress;
        work(progress);
    }
    QStringList labels;
};

} // namespace

class TestCategoryTreeFile : public QObject {
    Q_OBJECT
    InlineTaskRunner inline_;

private Q_SLOTS:
    void exportWritesTheFileByteForByte() {
        BasesHome h;
        QVERIFY(h.workspace.OpenBase(h.createBase("源", "src")));
        KnowledgeStore& store = h.workspace.store();
        // Inserted out of code order: the file follows the codes.
        for (const auto& [name, code] : {std::pair{"知识", "020000"},
                                         {"A", "010000"},
                                         {"C", "010101"},
                                         {"B", "010100"},
                                         {"旧|项", "010200"}})
            QVERIFY(store.InsertItem(name, code));
        QVERIFY(store.SetItemFlag("010200", "EOS")); // the recycle bin is exported too

        QVERIFY(CategoryTreeFile::ExportTree(h.workspace.store(), h.workspace.currentBase(),
                                             h.prompter, h.home.path("out.QCK")));
        QCOMPARE(h.home.read("out.QCK"),
                 QByteArray("[K_RESOURCE_DATA]\r\nDATA=0|A|\r\nDATA=1|B|\r\nDATA=2|C|\r\n"
                            "DATA=1|\xbe\xc9 \xcf\xee|\r\nDATA=0|\xd6\xaa\xca\xb6|\r\n"));

        // A missing folder is not made for the file.
        QVERIFY(!CategoryTreeFile::ExportTree(h.workspace.store(), h.workspace.currentBase(),
                                              h.prompter, h.home.path("no/out.QCK")));
        QCOMPARE(h.prompter.lastText(), QStringLiteral("无法导出知识库!"));
        QVERIFY(!QFileInfo::exists(h.home.path("no")));
    }

    void readingKeepsTheParentRule() {
        const QByteArray text = "DATA=0|before the section|\r\n[K_RESOURCE_DATA]\r\n"
                                "DATA=1|orphan major|\r\nDATA=2|orphan minor|\r\n"
                                "  DATA = 0|R1|  \r\nDATA=1|M1|\r\nDATA=2|m1|\r\nDATA=\r\n"
                                "DATA=0|R2|\r\nDATA=2|follows a new root|\r\nDATA=1|M2|\r\n"
                                "DATA=2| m2 |\r\nDATA=3|deep|\r\nDATA=-1|neg|\r\nDATA=|none|\r\n"
                                "DATA=00|zero|\r\nDATA=0|a|b|\r\nDATA=1|\xd6\xaa\xff|\r\n"
                                "DATA=1|" +
                                QByteArray(320, 'x') +
                                "|\r\n"
                                "[K_RESOURCE_DATA]\r\nDATA=0|second section|\r\n"
                                "DATA=0|no line end|";
        const QList<Entry> entries = CategoryTreeFile::EntriesOf(text);
        QCOMPARE(
            entries.mid(0, 7),
            (QList<Entry>{
                {0, "R1"}, {1, "M1"}, {2, "m1"}, {0, "R2"}, {1, "M2"}, {2, " m2 "}, {0, "a"}}));
        QCOMPARE(entries.size(), 9);
        QVERIFY(
            entries[7].name.startsWith(QStringLiteral("知"))); // a broken byte spoils only itself
        QCOMPARE(entries[8].name.size(), 320);

        const std::vector<CategoryTreeFile::Node> tree = CategoryTreeFile::TreeOf(entries);
        QCOMPARE(tree.size(), size_t(3));
        QCOMPARE(tree[1].children.at(0).children.at(0).name, QString(" m2 "));
        QCOMPARE(tree[2].children.size(), size_t(2));

        QVERIFY(CategoryTreeFile::EntriesOf({}).isEmpty());
        QVERIFY(CategoryTreeFile::EntriesOf("DATA=0|A|\r\n").isEmpty());
        ScriptedPrompter prompter;
        QVERIFY(!CategoryTreeFile::Preview({}, prompter));
        QCOMPARE(prompter.lastText(), QStringLiteral("请选择导入的知识库模版!"));
    }

    void importAddsAfterTheCategoriesThere() {
        BasesHome h;
        QVERIFY(h.workspace.OpenBase(h.createBase("目标", "dst")));
        for (const char* code : {"010000", "010100", "020000", "030100"})
            QVERIFY(h.workspace.store().InsertItem("有", code));
        QVERIFY(h.workspace.store().SetItemFlag("020000", "EOS")); // its code stays taken
        h.home.write("t.QCK", "[K_RESOURCE_DATA]\r\nDATA=0|R|\r\nDATA=1|M|\r\nDATA=2|m|\r\n"
                              "DATA=2|n|\r\nDATA=0|S|\r\nDATA=2|lost|\r\nDATA=1|N|\r\n");
        const QString database = h.workspace.currentBase().DatabasePath;
        QCOMPARE(
            CategoryTreeImport::ImportTree(h.home.path("t.QCK"), database, h.prompter, inline_),
            CategoryTreeImport::Result::Imported);
        // 030000 is free though 030100 hangs there without its root, whose
        // majors then pass over 0301.
        QCOMPARE(categoriesOf(database),
                 QStringList({"010000 有", "010100 有", "020000 有", "030000 R", "030100 有",
                              "030200 M", "030201 m", "030202 n", "040000 S", "040100 N"}));
        QCOMPARE(h.workspace.database().FilePath(), QFileInfo(database).absoluteFilePath());
    }

    void importIsAllOrNothing() {
        BasesHome h;
        h.createBase("满", "full");
        const QString database = h.home.path("full/Keepsake.mdb");
        // 1,295 roots fit; the 1,296th does not, and none of them stays.
        QByteArray text = "[K_RESOURCE_DATA]\r\n";
        for (int i = 0; i < 1296; ++i)
            text += "DATA=0|r|\r\n";
        h.home.write("full.QCK", text);
        QCOMPARE(
            CategoryTreeImport::ImportTree(h.home.path("full.QCK"), database, h.prompter, inline_),
            CategoryTreeImport::Result::Failed);
        QCOMPARE(h.prompter.lastText(), QStringLiteral("添加知识库根项失败!"));
        QVERIFY(categoriesOf(database).isEmpty());
    }

    void importOfFiveThousandLines() {
        BasesHome h;
        h.createBase("大", "big");
        QByteArray text = "[K_RESOURCE_DATA]\r\n";
        for (int r = 0; r < 50; ++r) {
            text += "DATA=0|root|\r\n";
            for (int m = 0; m < 9; ++m)
                text += "DATA=1|major|\r\n" + QByteArray("DATA=2|minor|\r\n").repeated(10);
        }
        h.home.write("big.QCK", text);
        QCOMPARE(CategoryTreeImport::ImportTree(
                     h.home.path("big.QCK"), h.home.path("big/Keepsake.mdb"), h.prompter, inline_),
                 CategoryTreeImport::Result::Imported);
        const QStringList rows = categoriesOf(h.home.path("big/Keepsake.mdb"));
        QCOMPARE(rows.size(), 5000);
        QCOMPARE(rows.last(), QStringLiteral("1E090A minor")); // root 50, major 9, minor 10
    }

    void stoppedImportTakesTheNewBaseBack() {
        BasesHome h;
        QByteArray text = "[K_RESOURCE_DATA]\r\n";
        for (int i = 0; i < 1000; ++i)
            text += "DATA=0|r|\r\nDATA=1|m|\r\n";
        h.home.write("big.QCK", text);
        StoppingRunner runner;
        KnowledgeBaseCreator creator(h.workspace);
        creator.setTaskRunner(runner);
        QVERIFY(!creator.CreateBaseFromFile(h.home.path("big.QCK"), "大", h.home.path("big")));
        QCOMPARE(runner.labels, QStringList{"正在导入知识库树目录…"});
        QCOMPARE(h.prompter.lastText(), QStringLiteral("已停止导入，知识库没有创建。"));
        QVERIFY(!QFileInfo::exists(h.home.path("big")));
        QVERIFY(h.workspace.config().LocalResources.isEmpty());

        // Stopped on its own, the import leaves the database as it was.
        h.createBase("空", "empty");
        const QString database = h.home.path("empty/Keepsake.mdb");
        QCOMPARE(
            CategoryTreeImport::ImportTree(h.home.path("big.QCK"), database, h.prompter, runner),
            CategoryTreeImport::Result::Stopped);
        QVERIFY(categoriesOf(database).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCategoryTreeFile)
#include "tst_categorytreefile.moc"
