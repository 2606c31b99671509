#include "BaseModels.h"
#include "config/TextCodec.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

// The material service driven as the panes and keepsake-cli drive it, with
// every view connected as in the window. Each test starts with two materials
// of item 010101 in the list, the first also open, docked and shown in the
// properties; it then checks what each view shows and what the base and the
// dock station file hold. A refused or failed write leaves all of them as
// they were.
class TestMaterialService : public BaseModels {
    Q_OBJECT

    MaterialRecord m1;

    MaterialService& materials() { return panes->service(); }
    MaterialListModel& list() { return panes->list(); }
    OpenMaterialsModel& open() { return panes->openMaterials(); }
    DockStationModel& dock() { return panes->dock(); }

    static QStringList idsIn(const MaterialTableModel& model) {
        QStringList ids;
        for (const MaterialRecord& m : model.materials())
            ids << m.MinuItemID;
        return ids;
    }
    QString property(const QString& caption) {
        for (const MaterialProperties::Row& row : panes->properties().rows())
            if (row.caption == caption)
                return row.value;
        return "<none>";
    }
    // A column of material 1 as the base holds it.
    QString stored(const QString& column) {
        return t->column("select " + column + " from MinuItemTable where MinuItemID=1").value(0);
    }
    QString dockFile() {
        return TextCodec::decode(home->read("ResourceConfig/NotePaperConfig.ini"));
    }
    void refuse(const QString& event) {
        QVERIFY(t->store.ExecuteStatement("create trigger refuse before " + event +
                                          " begin select raise(fail, 'refused'); end"));
    }
    // Every row of every view, to compare before and after a write that
    // must not happen.
    QStringList shown() {
        QStringList lines;
        for (const MaterialRecord& m : list().materials())
            lines << "list " + m.Fields().join('|');
        for (const MaterialRecord& m : open().materials())
            lines << "open " + m.Fields().join('|');
        for (int r = 0; r < dock().rowCount(); ++r)
            lines << "dock " + dock().materialAt(r).Fields().join('|');
        for (int r = 0; r < bin->rowCount(); ++r)
            lines << "bin " + bin->rowAt(r).MaterialId;
        for (const MaterialProperties::Row& row : panes->properties().rows())
            lines << "properties " + row.caption + "=" + row.value;
        return lines;
    }

private Q_SLOTS:
    void init() {
        openModels(true);
        materials().loadDockStation();

        t->addItems({"010000", "010100", "010101", "010102"});
        tree->fill();
        t->addMaterial("1", "010101");
        t->addMaterial("2", "010101");
        QVERIFY(list().showMaterialsOf("010101"));
        m1 = list().materialAt(0);
        open().opened(m1);
        QVERIFY(panes->dockMaterial(m1));
        panes->properties().show(m1);
    }
    void cleanup() { closeModels(); }

    void creatingListsTheMaterialAndShowsIt() {
        const std::optional<MaterialRecord> made =
            materials().create("010101", " 新资料 ", "*.txt", false);
        QVERIFY(made);
        QCOMPARE(idsIn(list()), QStringList({"1", "2", "3"}));
        QCOMPARE(list().materialAt(2).MinuItemName, QString("新资料"));
        QCOMPARE(property("编号"), QString("3"));
        QCOMPARE(property("描述文件类型"), QString("代码文件"));
        QVERIFY(QFileInfo(t->folder("01/01/01/3/新资料.txt")).isFile());

        refuse("insert on MinuItemTable");
        const QStringList before = shown();
        QVERIFY(!materials().create("010101", "另一个", "*.txt", false));
        QCOMPARE(t->prompter.lastText(), QString("入本地知识库失败!"));
        QCOMPARE(shown(), before);
    }

    void renamingReachesEveryView() {
        QCOMPARE(materials().rename(m1, " 读书|笔记 "), MaterialService::RenameResult::Renamed);
        QCOMPARE(stored("MinuItemName"), QString("读书 笔记"));
        QCOMPARE(list().materialAt(0).MinuItemName, QString("读书 笔记"));
        QCOMPARE(open().materialAt(0).MinuItemName, QString("读书 笔记"));
        QCOMPARE(dock().materialAt(0).MinuItemName, QString("读书 笔记"));
        QCOMPARE(property("名称"), QString("读书 笔记"));
        QVERIFY(dockFile().contains("GotoMinuItemData=1|资料1|")); // the name as docked
    }

    void aRefusedOrFailedRenameChangesNoView() {
        const QStringList before = shown();
        QCOMPARE(materials().rename(m1, QString(101, 'n')), MaterialService::RenameResult::TooLong);
        QCOMPARE(t->prompter.lastText(), QString("资料名太长!"));
        QCOMPARE(shown(), before);

        refuse("update on MinuItemTable");
        QCOMPARE(materials().rename(m1, "新名"), MaterialService::RenameResult::Failed);
        QCOMPARE(t->prompter.lastText(), QString("重命名资料 '资料1' 失败!"));
        QCOMPARE(shown(), before);
        QCOMPARE(stored("MinuItemName"), QString("资料1"));
    }

    void keywordsStoredElsewhereShowInTheProperties() {
        QVERIFY(t->store.InsertKeyword("1", "旧"));
        QCOMPARE(materials().setKeywords(1, {"旧"}, {" 甲 ", "", "乙"}),
                 std::optional(QStringList{"甲", "乙"}));
        QCOMPARE(
            t->column("select KeyValue from KeyWordTable where MinuItemID=1 order by KeyValue"),
            QStringList({"乙", "甲"}));
        QCOMPARE(panes->properties().keywords(), QStringList({"甲", "乙"}));
        QCOMPARE(panes->properties().storedKeywords(), QStringList({"甲", "乙"}));

        refuse("insert on KeyWordTable");
        const QStringList before = shown();
        QVERIFY(!materials().setKeywords(1, {"甲", "乙"}, {"丙"}));
        QCOMPARE(t->prompter.lastText(), QString("保存查询关键字失败!"));
        QCOMPARE(shown(), before);
        QCOMPARE(materials().keywords(1), std::optional(QStringList{"乙", "甲"}));
    }

    void deletingADockedMaterialLeavesEveryList() {
        QVERIFY(list().cut(0));
        QVERIFY(materials().recycle(m1));
        QCOMPARE(t->prompter.shown.last().caption + t->prompter.shown.last().text,
                 QString("警告确定要删除该资料吗?"));
        QCOMPARE(idsIn(list()), QStringList({"2"}));
        QCOMPARE(open().rowCount(), 0);
        QCOMPARE(dock().rowCount(), 0);
        QVERIFY(!dockFile().contains("GotoMinuItemData=1|"));
        QVERIFY(!clipboard->material());
        QCOMPARE(bin->rowCount(), 1);
        QCOMPARE(bin->rowAt(0),
                 (RecycleRow{"资料1", "资料", "测试库\\名010000\\名010100\\名010101",
                             "2009-03-07 14:05:09", "1", "010101", "2009-03-07 14:05:09"}));
        QCOMPARE(stored("MinuItemFlag"), QString("EOS"));
    }

    void aCancelledOrFailedDeleteChangesNoView() {
        QVERIFY(list().cut(0));
        const QStringList before = shown();
        t->prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(!materials().recycle(m1));
        QCOMPARE(shown(), before);

        refuse("update on MinuItemTable");
        QVERIFY(!materials().recycle(m1));
        QCOMPARE(t->prompter.lastText(), QString("删除资料 '资料1' 失败!"));
        QCOMPARE(shown(), before);
        QVERIFY(dockFile().contains("GotoMinuItemData=1|"));
        QCOMPARE(clipboard->material(), std::optional<MaterialRecord>(m1));
        QCOMPARE(stored("MinuItemFlag"), QString("AOS"));
    }

    void movingRefilesTheMaterialInEveryList() {
        QSignalSpy moved(&materials(), &MaterialService::materialMoved);
        QVERIFY(materials().move(m1, "010102"));
        QCOMPARE(stored("ItemID"), QString("010102"));
        QCOMPARE(idsIn(list()), QStringList({"2"})); // the list shows 010101
        QCOMPARE(open().materialAt(0).ItemID, QString("010102"));
        QCOMPARE(open().materialAt(0).DisplayPath, QString("测试库\\名010000\\名010100\\名010102"));
        QCOMPARE(open().materialAt(0).MinuItemFilePath, QString("01/01/01/1/"));

        // A paste in the tree is announced the same way.
        QVERIFY(list().cut(0));
        QVERIFY(service->paste("010102"));
        QCOMPARE(moved.size(), 2);
        QCOMPARE(moved[1][0].value<MaterialRecord>().MinuItemID, QString("2"));
        QCOMPARE(moved[1][1].toString(), QString("010101"));
        QCOMPARE(list().rowCount(), 0);
    }

    void movesThatCannotBeMadeChangeNothing_data() {
        QTest::addColumn<QString>("baseId");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* baseId, const char* target,
                            const char* message) {
            QTest::newRow(name) << QString(baseId) << QString(target) << QString(message);
        };
        row("its own item", "1", "010101", "不能粘贴资料到自己的目录下!");
        row("a major", "1", "010100", "无效的粘贴!");
        row("not a code", "1", "01%1__", "无效的粘贴!");
        row("another base", "2", "010102", "无效的不同知识库之间的粘贴!");
    }
    void movesThatCannotBeMadeChangeNothing() {
        QFETCH(QString, baseId);
        QFETCH(QString, target);
        QFETCH(QString, message);
        MaterialRecord material = m1;
        material.KnowledgeBaseID = baseId;
        const QStringList before = shown();
        QVERIFY(!materials().move(material, target));
        QCOMPARE(t->prompter.shown.last().caption + t->prompter.shown.last().text,
                 "提示" + message);
        QCOMPARE(shown(), before);
        QCOMPARE(stored("ItemID"), QString("010101"));
    }

    void descriptionChangesReachTheRowsAndTheProperties() {
        QVERIFY(materials().removeDescription(m1));
        QVERIFY(!QFileInfo::exists(t->folder("01/01/01/1/资料1.rtf")));
        for (const MaterialTableModel* model : {static_cast<MaterialTableModel*>(&list()),
                                                static_cast<MaterialTableModel*>(&open())}) {
            QCOMPARE(model->materialAt(0).DescribeFileType, QString("1"));
            QCOMPARE(model->materialAt(0).MinuItemDescribeFilename, QString());
        }
        QCOMPARE(property("描述文件类型"), QString("无"));

        QVERIFY(materials().addDescription(list().materialAt(0), "*.txt"));
        QVERIFY(QFileInfo(t->folder("01/01/01/1/资料1.txt")).isFile());
        QCOMPARE(open().materialAt(0).MinuItemDescribeFilename, QString("资料1.txt"));
        QCOMPARE(stored("DescribeFileType||MinuItemDescribeFilename"), QString("2资料1.txt"));
        QCOMPARE(property("描述文件类型"), QString("代码文件"));
    }
};

QTEST_GUILESS_MAIN(TestMaterialService)
#include "tst_materialservice.moc"
