#include "WorkingWindow.h"
#include "app/CMainFrame.h"
#include "app/DescriptTypeSelector.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "dialogs/CNewMaterialDlg.h"
#include "dialogs/CSearchDialog.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CMaterialPane.h"
#include "store/CategoryTreeModel.h"
#include "store/RecycleBinModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

// A material's life in the main window, as a user lives it: created under a
// minor item, opened, renamed in the properties, docked, and deleted.
class TestMaterialWorkflow : public QObject {
    Q_OBJECT

    WorkingWindow window;
    ScriptedPrompter& prompter = window.prompter;
    std::unique_ptr<TestHome>& home = window.home;
    std::unique_ptr<CMainFrame>& frame = window.frame;

    QString stored(const QString& sql) { return window.stored(sql); }

private Q_SLOTS:
    void init() { QVERIFY(window.setUp()); }
    void cleanup() { frame.reset(); }

    void createOpenRenameDockAndDelete() {
        // The welcome base's first minor item.
        CategoryTreeModel& tree = frame->categoryTree();
        const QModelIndex root = tree.index(0, 0);
        const QModelIndex minor = tree.index(0, 0, tree.index(0, 0, root));
        QVERIFY(minor.isValid());
        const QString code = CategoryTreeModel::codeOf(minor);
        frame->treePane().view()->setCurrentIndex(minor);

        DescriptTypeSelector& types = frame->typeSelector();
        types.setCurrentIndex(types.findText("*.rtf"));
        QVERIFY(frame->commands().trigger(CommandIds::NewMaterial));
        auto* dialog = frame->findChild<CNewMaterialDlg*>();
        QVERIFY(dialog);
        dialog->nameEdit()->setText("会议/记录");
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTRY_VERIFY(!frame->findChild<CNewMaterialDlg*>());

        // Created: a row, a folder with the 156-byte description, and opened.
        const QString id = stored("select max(MinuItemID) from MinuItemTable");
        QCOMPARE(stored("select MinuItemName from MinuItemTable where MinuItemID=" + id),
                 QString("会议 记录"));
        const QString folder =
            stored("select MinuItemFilePath from MinuItemTable where MinuItemID=" + id);
        QCOMPARE(QFileInfo(home->path("kb/我的知识库/" + folder + "会议 记录.rtf")).size(), 156);
        QCOMPARE(frame->documents().documentsFromActive().size(), 1);
        QCOMPARE(frame->materials().openMaterials().rowCount(), 1);

        // Renamed in the properties pane.
        frame->materials().properties().setName("  纪要  ");
        QVERIFY(frame->commands().trigger(CommandIds::SaveProperties));
        QCOMPARE(stored("select MinuItemName from MinuItemTable where MinuItemID=" + id),
                 QString("纪要"));

        // Listed, docked from the list, then deleted to the recycle bin.
        QVERIFY(frame->commands().trigger(CommandIds::ShowItemMaterials));
        MaterialListModel& list = frame->materials().list();
        // The welcome materials filed there come first.
        const int listed = list.rowCount();
        QCOMPARE(list.materialAt(listed - 1).MinuItemID, id);
        QCOMPARE(list.materialAt(listed - 1).MinuItemName, QString("纪要"));
        frame->materialPane().view()->setCurrentIndex(list.index(listed - 1, 1));
        frame->commands().updateEnabled();
        QVERIFY(frame->commands().trigger(CommandIds::DockMaterial));
        QCOMPARE(frame->materials().dock().rowCount(), 1);
        QVERIFY(home->read("ResourceConfig/NotePaperConfig.ini").contains(id.toLatin1()));

        QVERIFY(frame->commands().trigger(CommandIds::DeleteMaterial));
        QCOMPARE(prompter.lastText(), QString("确定要删除该资料吗?"));
        QCOMPARE(stored("select MinuItemFlag from MinuItemTable where MinuItemID=" + id),
                 QString("EOS"));
        QCOMPARE(list.rowCount(), listed - 1);
        QCOMPARE(frame->materials().dock().rowCount(), 0);
        QCOMPARE(frame->recycleBin().rowAt(0).MaterialId, id);
    }

    void aRootTakesNoMaterial() {
        frame->treePane().view()->setCurrentIndex(frame->categoryTree().index(0, 0));
        QVERIFY(frame->commands().trigger(CommandIds::NewMaterial));
        QCOMPARE(prompter.lastText(), QString("请在知识库窗口中选择知识库小项再创建资料!"));
        QVERIFY(!frame->findChild<CNewMaterialDlg*>());
    }

    void theQueryBoxStartsTheSearchAndKeepsConfirmedQueries() {
        auto* box = frame->findChild<QComboBox*>("queryBox");
        QVERIFY(box);
        box->lineEdit()->insert("资料"); // typed: keyClicks takes only ASCII

        QString dialogText;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CSearchDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialogText = dialog->queryBox()->currentText();
            QTest::mouseClick(dialog->searchButton(), Qt::LeftButton);
            if (dialog->isVisible())
                dialog->reject();
        });
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(dialogText, QString("资料"));
        QCOMPARE(box->count(), 1);
        QCOMPARE(box->itemText(0), QString("资料"));
        QCOMPARE(box->currentText(), QString("资料"));

        // Enter alone never adds an entry: only a confirmed search does.
        box->setEditText("未确认");
        QTimer::singleShot(0, this, [] { QApplication::activeModalWidget()->close(); });
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(box->count(), 1);
    }
};

QTEST_MAIN(TestMaterialWorkflow)
#include "tst_materialworkflow.moc"
