#include "BaseModels.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/TextCodec.h"
#include "panes/CDockStationPane.h"
#include "panes/COpenMaterialsPane.h"
#include "panes/CPropertiesPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

using namespace CommandIds;

// The properties, dock station and open-materials panes side by side, driven
// with the user's keys, clicks and typing; checks what they show, what the
// base stores and the dock station file. Two panes have a Del: it must act
// only in the one with the focus.
class TestDockPropertyPanes : public BaseModels {
    Q_OBJECT

    std::unique_ptr<CommandRegistry> commands;
    std::unique_ptr<QWidget> window;
    CPropertiesPane* props = nullptr;
    CDockStationPane* dockPane = nullptr;
    COpenMaterialsPane* openPane = nullptr;
    MaterialRecord m1, m2;

    DockStationModel& dock() { return panes->dock(); }
    OpenMaterialsModel& open() { return panes->openMaterials(); }
    QTreeWidget* grid() { return props->grid(); }
    QTreeWidgetItem* item(const QString& caption) {
        const auto found = grid()->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive, 0);
        return found.size() == 1 ? found.first() : nullptr;
    }
    // "caption=value" under a category; "*" marks an editable row.
    QStringList rowsOf(const QString& category) {
        QStringList rows;
        for (int i = 0; item(category) && i < item(category)->childCount(); ++i) {
            const QTreeWidgetItem* row = item(category)->child(i);
            rows << row->text(0) + "=" + row->text(1) +
                        (row->flags() & Qt::ItemIsEditable ? "*" : "");
        }
        return rows;
    }
    QLineEdit* editor() {
        for (QLineEdit* e : grid()->findChildren<QLineEdit*>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
    void select(const QString& caption) {
        grid()->setFocus();
        grid()->setCurrentItem(item(caption), 0); // a click on the caption
    }
    // F2 on the row, the text typed over; Enter unless the toolbar is next.
    void type(const QString& caption, const QString& text, bool enter = true) {
        select(caption);
        QTest::keyClick(grid(), Qt::Key_F2);
        QVERIFY2(editor(), qPrintable(caption));
        editor()->selectAll();
        editor()->insert(text); // as an input method delivers it
        if (enter) {
            QTest::keyClick(editor(), Qt::Key_Return);
            QTRY_VERIFY(!editor()); // the delegate commits once the key is done with
        }
    }
    QStringList keywords() {
        return t->column("select KeyValue from KeyWordTable where MinuItemID=1 order by KeyValue");
    }
    QString stored(const QString& column, const QString& id = "1") {
        return t
            ->column(QString("select %1 from MinuItemTable where MinuItemID=?").arg(column), {id})
            .value(0);
    }
    void press(QTreeView* view, int row, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, 1));
        QTest::keyClick(view, Qt::Key(key), mods);
    }
    QString dockFile() {
        return TextCodec::decode(home->read("ResourceConfig/NotePaperConfig.ini"));
    }

private Q_SLOTS:
    void init() {
        openModels(true);
        t->addItems({"010000", "010100", "010101"});
        panes->service().loadDockStation();
        for (MaterialRecord* m : {&m1, &m2}) {
            *m = t->addMaterial(m == &m1 ? "1" : "2", "010101");
            m->DisplayPath = "测试库\\名010000\\名010100\\名010101";
        }
        commands = std::make_unique<CommandRegistry>();
        window = std::make_unique<QWidget>();
        auto* layout = new QHBoxLayout(window.get());
        props = new CPropertiesPane(panes->properties(), *commands);
        dockPane = new CDockStationPane(*panes, *commands);
        openPane = new COpenMaterialsPane(*panes, *commands);
        for (QWidget* pane : {static_cast<QWidget*>(props), static_cast<QWidget*>(dockPane),
                              static_cast<QWidget*>(openPane)})
            layout->addWidget(pane);
        window->show();
        // Keys reach pane shortcuts only in the active window.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() {
        window.reset();
        commands.reset();
        closeModels();
    }

    void showingAMaterialFillsTheGrid() {
        for (int id : {SaveProperties, AddKeyword, DeleteKeyword})
            QVERIFY(!commands->trigger(id)); // nothing shown
        QVERIFY(t->store.InsertKeyword("1", "甲"));
        panes->properties().show(m1, "2009-03-08 10:00:00");
        QCOMPARE(
            rowsOf("资料属性"),
            QStringList({"名称=资料1*", "编号=1", "资料路径=测试库\\名010000\\名010100\\名010101",
                         "描述文件类型=RTF文件", "停靠时间=2009-03-08 10:00:00",
                         "创建日期=2009-03-07 14:05:09"}));
        QCOMPARE(rowsOf("查询关键字"), QStringList({"关键字1=甲*"}));
        QVERIFY(item("资料属性")->isExpanded() && item("查询关键字")->isExpanded());

        const QString description = "可直接修改名称编辑框内容,点击保存";
        QCOMPARE(item("名称")->toolTip(1), description);
        select("名称");
        QVERIFY(props->descriptionLabel()->text().contains(description));
        select("编号");
        QTest::keyClick(grid(), Qt::Key_F2);
        QVERIFY(!editor());
        QVERIFY(props->descriptionLabel()->text().isEmpty());
    }

    void aBlankNameIsRestoredAndATypedOneStored() {
        panes->properties().show(m1);
        type("名称", "   ");
        QVERIFY(commands->trigger(SaveProperties));
        QCOMPARE(item("名称")->text(1), QString("资料1"));
        QCOMPARE(stored("MinuItemName"), QString("资料1"));

        type("名称", "读书笔记", false); // Save from the toolbar, the editor still open
        QVERIFY(commands->trigger(SaveProperties));
        QCOMPARE(stored("MinuItemName"), QString("读书笔记"));
        QCOMPARE(item("名称")->text(1), QString("读书笔记"));
    }

    void keywordsEditedInTheGridAreStoredOnSave() {
        for (const char* k : {"c", "a", "b"})
            QVERIFY(t->store.InsertKeyword("1", k));
        panes->properties().show(m1);
        type("关键字1", "d");
        select("关键字2");
        QVERIFY(commands->trigger(DeleteKeyword));
        // The rest sorted and numbered again; Delete goes on from there.
        QCOMPARE(rowsOf("查询关键字"), QStringList({"关键字1=b*", "关键字2=d*"}));
        QCOMPARE(grid()->currentItem(), item("关键字2"));
        QCOMPARE(keywords(), QStringList({"a", "b", "c"})); // nothing before Save
        QVERIFY(commands->trigger(SaveProperties));
        QCOMPARE(keywords(), QStringList({"b", "d"}));
    }

    void addKeywordOpensTheNewItemForTyping() {
        panes->properties().show(m1); // no keyword yet, but the category to add to
        QVERIFY(commands->trigger(AddKeyword));
        QCOMPARE(grid()->currentItem(), item("关键字1"));
        QVERIFY(editor() && editor()->hasFocus());
        QTest::keyClicks(editor(), "rtf");
        QVERIFY(commands->trigger(AddKeyword)); // left empty
        QCOMPARE(rowsOf("查询关键字"), QStringList({"关键字1=rtf*", "关键字2=*"}));
        QVERIFY(commands->trigger(SaveProperties));
        QCOMPARE(keywords(), QStringList({"rtf"}));
    }

    void delRemovesDockRowsDownToAnEmptyFile() {
        open().opened(m1);
        QVERIFY(panes->dockMaterial(m1) && panes->dockMaterial(m2));
        press(dockPane->view(), 0, Qt::Key_Delete);
        QCOMPARE(dock().rowCount(), 1);
        QVERIFY(dockFile().contains("GotoMinuItemData=2|"));
        QVERIFY(!dockFile().contains("GotoMinuItemData=1|"));
        QCOMPARE(open().rowCount(), 1); // the open list's Del did not fire

        QTest::keyClick(dockPane->view(), Qt::Key_Delete); // the next row took its place
        QCOMPARE(dock().rowCount(), 0);
        QCOMPARE(home->read("ResourceConfig/NotePaperConfig.ini"),
                 TextCodec::encode(u"[GOTOMINUITEM]\r\n"));
    }

    void enterAndDoubleClickAskToOpenTheDockedMaterial() {
        QVERIFY(panes->dockMaterial(m1) && panes->dockMaterial(m2));
        QSignalSpy opened(dockPane, &CDockStationPane::openRequested);
        press(dockPane->view(), 1, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0][0].toInt(), 1);
        QCOMPARE(opened[0][1].value<MaterialRecord>().MinuItemID, QString("2"));
        QCOMPARE(opened[0][2].toString(), QString("2009-03-07 14:05:09"));

        QTreeView* view = dockPane->view();
        const QPoint at = view->visualRect(dock().index(0, 1)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at); // the view needs the press
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[1][0].toInt(), 0);
    }

    void openListCommandsActOnTheSelectedRow() {
        open().opened(m1);
        open().opened(m2);
        QSignalSpy closing(openPane, &COpenMaterialsPane::closeRequested);
        QSignalSpy focusing(openPane, &COpenMaterialsPane::focusRequested);
        press(openPane->view(), 1, Qt::Key_F7);
        QCOMPARE(closing.size(), 1);
        QCOMPARE(closing[0][0].value<MaterialRecord>(), m2);
        press(openPane->view(), 0, Qt::Key_Return);
        QCOMPARE(focusing.size(), 1);
        QCOMPARE(focusing[0][0].value<MaterialRecord>(), m1);
        press(openPane->view(), 0, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(clipboard->material() && *clipboard->material() == m1);

        QVERIFY(commands->trigger(DockOpenMaterial));
        QVERIFY(dock().index(0, 0).data(DockStationModel::OpenWhenDockedRole).toBool());
        QVERIFY(dockFile().contains("GotoMinuItemData=1|资料1|"));
    }

    void delAsksThenSendsTheOpenMaterialToTheRecycleBin() {
        open().opened(m1);
        QVERIFY(panes->dockMaterial(m1));
        t->prompter.answerNext(Prompter::Answer::Cancel);
        press(openPane->view(), 0, Qt::Key_Delete);
        QCOMPARE(t->prompter.lastText(), QString("确定要删除该资料吗?"));
        QCOMPARE(stored("MinuItemFlag"), QString("AOS"));

        press(openPane->view(), 0, Qt::Key_Delete);
        QCOMPARE(stored("MinuItemFlag"), QString("EOS"));
        QCOMPARE(open().rowCount(), 0);
        QCOMPARE(dock().rowCount(), 0); // a deleted material leaves the station too
    }
};

QTEST_MAIN(TestDockPropertyPanes)
#include "tst_dockpropertypanes.moc"
