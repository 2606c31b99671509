#include "WorkingWindow.h"
#include "app/CMainFrame.h"
#include "app/DescriptTypeSelector.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/CRichEditControlView.h"
#include "materials/MaterialCreator.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CMaterialPane.h"
#include "panes/KnowledgeBaseSelectorBox.h"
#include "store/CategoryTreeModel.h"
#include "workspace/KnowledgeBaseCreator.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

// What the window shows of a base's materials when it starts or switches,
// and a material gaining and losing its description file, as a user does it.
class TestDescriptionFiles : public QObject {
    Q_OBJECT

    WorkingWindow window;
    ScriptedPrompter& prompter = window.prompter;
    std::unique_ptr<TestHome>& home = window.home;
    std::unique_ptr<Profile>& profile = window.profile;
    std::unique_ptr<CMainFrame>& frame = window.frame;

    void startWindow() { QVERIFY(window.start()); }
    QString stored(const QString& sql) { return window.stored(sql); }
    QString firstMinor() {
        CategoryTreeModel& tree = frame->categoryTree();
        return CategoryTreeModel::codeOf(tree.index(0, 0, tree.index(0, 0, tree.index(0, 0))));
    }
    MaterialRecord create(const QString& code, const QString& name, const QString& type) {
        std::optional<MaterialRecord> made =
            frame->materials().creator().Create(code, name, type, false);
        if (!made)
            qFatal("cannot create %s", qPrintable(name));
        return *made;
    }
    QStringList listedNames() {
        QStringList names;
        MaterialListModel& list = frame->materials().list();
        for (int row = 0; row < list.rowCount(); ++row)
            names << list.materialAt(row).MinuItemName;
        names.sort();
        return names;
    }
    int selectListed(const QString& name) {
        MaterialListModel& list = frame->materials().list();
        for (int row = 0; row < list.rowCount(); ++row) {
            if (list.materialAt(row).MinuItemName == name) {
                frame->materialPane().view()->setCurrentIndex(list.index(row, 1));
                frame->commands().updateEnabled();
                return row;
            }
        }
        return -1;
    }
    bool enabled(int id) { return frame->commands().action(id)->isEnabled(); }

private Q_SLOTS:
    void init() { QVERIFY(window.setUp()); }
    void cleanup() { frame.reset(); }

    void startAndSwitchListEveryMaterialOfTheBase() {
        create(firstMinor(), "甲", "*.txt");
        create(firstMinor(), "乙", "null");
        startWindow();
        MaterialListModel& list = frame->materials().list();
        QCOMPARE(list.listCode(), QString("000000"));
        QCOMPARE(list.rowCount(),
                 stored("select count(*) from MinuItemTable where MinuItemFlag='AOS'").toInt());
        QVERIFY(listedNames().contains("甲") && listedNames().contains("乙"));

        // Another base, picked in the selector above the tree: its own (no)
        // materials at once, and the first base's again on the way back.
        const std::optional<int> second =
            KnowledgeBaseCreator(frame->workspace()).CreateBlankBase("第二库", home->path("kb2"));
        QVERIFY(second);
        auto* selector = frame->findChild<KnowledgeBaseSelectorBox*>();
        selector->refresh();
        Q_EMIT selector->entryPicked(QString("第二库 [%1]").arg(*second));
        QCOMPARE(frame->workspace().currentBase().Name, QString("第二库"));
        QCOMPARE(list.listCode(), QString("000000"));
        QCOMPARE(list.rowCount(), 0);
        Q_EMIT selector->entryPicked("工作库 [1]");
        QVERIFY(listedNames().contains("甲"));
    }

    void addThenDeleteADescription() {
        create(firstMinor(), "网页资料", "null");
        CategoryTreeModel& tree = frame->categoryTree();
        frame->treePane().view()->setCurrentIndex(tree.indexOf(firstMinor()));
        QVERIFY(frame->commands().trigger(CommandIds::ShowItemMaterials));
        QVERIFY(selectListed("网页资料") >= 0);
        QVERIFY(enabled(CommandIds::AddDescriptionFile));
        QVERIFY(!enabled(CommandIds::RemoveDescriptionFile));

        DescriptTypeSelector& types = frame->typeSelector();
        types.setCurrentIndex(types.findText("*.rtf"));
        QVERIFY(frame->commands().trigger(CommandIds::AddDescriptionFile));
        const QString id =
            stored("select MinuItemID from MinuItemTable where MinuItemName='网页资料'");
        const QString folder =
            home->path("kb/我的知识库/" +
                       stored("select MinuItemFilePath from MinuItemTable where MinuItemID=" + id));
        QCOMPARE(QFileInfo(folder + "网页资料.rtf").size(), 156);
        QCOMPARE(stored("select DescribeFileType from MinuItemTable where MinuItemID=" + id),
                 QString("0"));
        // The material now opens on its new description, and the list is in front.
        auto* editor = qobject_cast<CRichEditControlView*>(frame->documents().activeDocument());
        QVERIFY(editor);
        QCOMPARE(editor->filePath(), folder + "网页资料.rtf");
        QCOMPARE(frame->documents().documentsFromActive().size(), 1);
        QVERIFY(!frame->pane(CommandIds::PaneMaterials)->isHidden());
        QVERIFY(!enabled(CommandIds::AddDescriptionFile));
        QVERIFY(enabled(CommandIds::RemoveDescriptionFile));

        // Changed and not saved: Cancel at the save question keeps the file.
        editor->editor()->textCursor().insertText("要紧的笔记"); // as typed
        prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(frame->commands().trigger(CommandIds::RemoveDescriptionFile));
        QCOMPARE(prompter.lastText(), QString("是否将更改保存到 网页资料.rtf?"));
        QVERIFY(QFileInfo::exists(folder + "网页资料.rtf"));
        QCOMPARE(stored("select DescribeFileType from MinuItemTable where MinuItemID=" + id),
                 QString("0"));

        // Not kept: the file goes, the row says so, and the pages window shows.
        prompter.answerNext(Prompter::Answer::No);
        QVERIFY(frame->commands().trigger(CommandIds::RemoveDescriptionFile));
        QTRY_VERIFY(!QFileInfo::exists(folder + "网页资料.rtf"));
        QCOMPARE(stored("select DescribeFileType||'|'||MinuItemDescribeFilename from MinuItemTable "
                        "where MinuItemID=" +
                        id),
                 QString("1|"));
        QTRY_COMPARE(frame->documents().documentsFromActive().size(), 1);
        QCOMPARE(frame->documents().activeDocument()->kind(), DocumentWindow::Kind::Web);
        QCOMPARE(frame->materials().openMaterials().rowCount(), 1);
        QVERIFY(enabled(CommandIds::AddDescriptionFile));
        QVERIFY(!enabled(CommandIds::RemoveDescriptionFile));
    }

    void aClickedMaterialOpensWithEnter() {
        QTreeView* view = frame->materialPane().view();
        MaterialListModel& list = frame->materials().list();
        QVERIFY(list.rowCount() >= 2);
        QVERIFY(!enabled(CommandIds::OpenMaterial));
        const QRect second = view->visualRect(list.index(1, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
        QVERIFY(enabled(CommandIds::OpenMaterial));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(frame->materials().openMaterials().rowCount(), 1);
        QCOMPARE(frame->materials().openMaterials().materialAt(0).MinuItemID,
                 list.materialAt(1).MinuItemID);
    }

    void descriptionCommandsAreInTheMainMenu() {
        QStringList texts;
        for (QAction* menu : frame->menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                texts << item->text();
        QVERIFY(texts.contains("添加描述文件"));
        QVERIFY(texts.contains("删除描述文件"));
    }

    void typeBoxStartsOnTheLastTypeUsed() {
        DescriptTypeSelector& types = frame->typeSelector();
        QCOMPARE(types.currentText(), QString("*.rtf")); // the first start
        Q_EMIT types.activated(types.findText("*.txt"));
        startWindow();
        QCOMPARE(frame->typeSelector().currentText(), QString("*.txt"));

        // A type the base no longer offers gives way to the first it does.
        profile->setValue("Settings", "LastDescriptType", "*.doc");
        startWindow();
        QCOMPARE(frame->typeSelector().currentText(), QString("*.rtf"));
    }
};

QTEST_MAIN(TestDescriptionFiles)
#include "tst_descriptionfiles.moc"
