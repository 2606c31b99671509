#include "WorkingWindow.h"
#include "app/CMainFrame.h"
#include "app/LongOperation.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CRecycleBinPane.h"
#include "store/CategoryTreeModel.h"
#include "store/RecycleBinModel.h"
#include "store/TreeService.h"

#include <QAction>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

// Clearing from the recycle bin, moving and deleting items run beside the
// window: while one runs the writes wait and the reads go on. Each is held
// up by another connection keeping the catalogue's write lock, as a second
// program would.
class TestLongOperation : public QObject {
    Q_OBJECT

    WorkingWindow window;
    ScriptedPrompter& prompter = window.prompter;
    std::unique_ptr<CMainFrame>& frame = window.frame;
    QString minor;

    QString stored(const QString& sql) {
        Recordset result(&frame->workspace().database());
        QString value;
        if (result.Open(sql) && !result.IsEOF())
            result.GetValueText(0, value);
        return value;
    }
    bool enabled(int id) { return frame->commands().action(id)->isEnabled(); }

    // The first minor, with materials, sent to the recycle bin and selected
    // there.
    void recycleAMinorWithMaterials() {
        CategoryTreeModel& tree = frame->categoryTree();
        TreeService& service = frame->treeService();
        const QModelIndex root = tree.index(0, 0);
        const QModelIndex major = tree.index(0, 0, root);
        QModelIndex minorIndex = tree.index(0, 0, major);
        minor = CategoryTreeModel::codeOf(minorIndex);
        for (int i = 0; i < 20; ++i)
            QVERIFY(frame->materials().service().create(minor, QString("资料%1").arg(i), "*.txt",
                                                        false));
        QVERIFY(service.recycleItem(CategoryTreeModel::codeOf(minorIndex)));
        frame->longOperation().waitForEnd();
        frame->recycleBin().load();
        QTreeView* view = frame->recycleBinPane().view();
        for (int r = 0; r < frame->recycleBin().rowCount(); ++r) {
            if (frame->recycleBin().rowAt(r).Code == minor &&
                !frame->recycleBin().rowAt(r).IsMaterial())
                view->selectionModel()->select(frame->recycleBin().index(r, 0),
                                               QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        }
        // A live item stays selected in the tree, for the read command.
        frame->treePane().view()->setCurrentIndex(major);
        frame->commands().updateEnabled();
    }

private Q_SLOTS:
    void init() {
        QVERIFY(window.setUp());
        recycleAMinorWithMaterials();
    }
    void cleanup() { frame.reset(); }

    void writesWaitWhileAClearRuns() {
        QVERIFY(enabled(CommandIds::ClearRecycled));
        Database other;
        QVERIFY(other.Open(frame->workspace().currentBase().DatabasePath));
        QVERIFY(other.BeginTransaction());

        QVERIFY(frame->commands().trigger(CommandIds::ClearRecycled));
        QVERIFY(frame->longOperation().isRunning());
        QCOMPARE(frame->statusBar()->currentMessage(), QString("正在处理，请稍候…"));
        for (int id : {CommandIds::AddRootItem, CommandIds::AddChildItem, CommandIds::RenameItem,
                       CommandIds::DeleteItem, CommandIds::ClearRecycled,
                       CommandIds::RestoreRecycled, CommandIds::NewMaterial})
            QVERIFY2(!enabled(id), qPrintable(QString::number(id)));
        QVERIFY(!frame->commands().trigger(CommandIds::AddRootItem));
        // Reading goes on.
        QVERIFY(enabled(CommandIds::ShowItemMaterials));
        QVERIFY(frame->commands().trigger(CommandIds::ShowItemMaterials));
        auto* progress = frame->findChild<QProgressBar*>("progress38809");
        QVERIFY(progress);
        QCOMPARE(progress->maximum(), 0); // busy until the clear gets the lock

        QSignalSpy finished(&frame->longOperation(), &LongOperation::finished);
        QVERIFY(other.RollbackTransaction());
        QVERIFY(finished.wait(30000));

        QVERIFY(!frame->longOperation().isRunning());
        QCOMPARE(frame->statusBar()->currentMessage(), QString("就绪"));
        QVERIFY(enabled(CommandIds::AddRootItem));
        for (const RecycleRow& row : frame->recycleBin().rows())
            QVERIFY(row.Code != minor);
        QCOMPARE(stored("select count(*) from MinuItemTable where ItemID='" + minor + "'"),
                 QString("0"));
        QCOMPARE(stored("select count(*) from ItemTable where ItemID='" + minor + "'"),
                 QString("0"));
        QCOMPARE(prompter.lastText(), QString("清除后将不能恢复，确定吗?"));
    }

    // The tree changes when the write has ended, not before; until then the
    // window goes on reading.
    void movingAndDeletingItemsWaitForTheWriteLock() {
        CategoryTreeModel& tree = frame->categoryTree();
        TreeService& service = frame->treeService();
        const QString rootCode = service.addRoot("第二根").value_or(QString());
        QVERIFY(tree.indexOf(rootCode).isValid());
        const QModelIndex major = tree.index(0, 0, tree.index(0, 0));
        const QString majorCode = CategoryTreeModel::codeOf(major);
        const QString minorCode = CategoryTreeModel::codeOf(tree.index(0, 0, major));
        QVERIFY(frame->materials().service().create(minorCode, "随大项走", "*.txt", false));

        Database other;
        QVERIFY(other.Open(frame->workspace().currentBase().DatabasePath));
        QSignalSpy finished(&frame->longOperation(), &LongOperation::finished);

        QVERIFY(other.BeginTransaction());
        service.cutItem(CategoryTreeModel::codeOf(major));
        QVERIFY(service.paste(rootCode));
        QVERIFY(frame->longOperation().isRunning());
        QVERIFY(!frame->longOperation().canStop());
        QVERIFY(!frame->findChild<QWidget*>("stopOperation")->isVisible());
        QVERIFY(tree.indexOf(majorCode).isValid()); // not moved yet
        QVERIFY(!enabled(CommandIds::DeleteItem));
        QVERIFY(frame->commands().trigger(CommandIds::ShowItemMaterials));
        QVERIFY(other.RollbackTransaction());
        QVERIFY(finished.wait(30000));

        QVERIFY(!tree.indexOf(majorCode).isValid());
        QCOMPARE(tree.rowCount(tree.indexOf(rootCode)), 1);
        const QString newMajor =
            CategoryTreeModel::codeOf(tree.index(0, 0, tree.indexOf(rootCode)));
        QCOMPARE(newMajor.left(2), rootCode.left(2));
        QCOMPARE(stored("select ItemID from MinuItemTable where MinuItemName='随大项走'"),
                 newMajor.left(4) + minorCode.right(2));
        QVERIFY(enabled(CommandIds::DeleteItem));

        // Deleting: the tree keeps the item until the rows say it is gone.
        const QString newMinor = newMajor.left(4) + minorCode.right(2);
        QVERIFY(other.BeginTransaction());
        QVERIFY(service.recycleItem(newMinor));
        QVERIFY(tree.indexOf(newMinor).isValid());
        QVERIFY(other.RollbackTransaction());
        QVERIFY(finished.wait(30000));
        QVERIFY(!tree.indexOf(newMinor).isValid());
        QCOMPARE(stored("select MinuItemFlag from MinuItemTable where MinuItemName='随大项走'"),
                 QString("EOS"));
        QVERIFY(std::any_of(frame->recycleBin().rows().cbegin(), frame->recycleBin().rows().cend(),
                            [&](const RecycleRow& row) { return row.Code == newMinor; }));
    }

    // A clear can be stopped from the status bar: what it did stays done.
    void stopButtonShowsWhileAClearRuns() {
        const QString filed =
            stored("select count(*) from MinuItemTable where ItemID='" + minor + "'");
        Database other;
        QVERIFY(other.Open(frame->workspace().currentBase().DatabasePath));
        QVERIFY(other.BeginTransaction());
        QVERIFY(frame->commands().trigger(CommandIds::ClearRecycled));
        auto* stop = frame->findChild<QToolButton*>("stopOperation");
        QVERIFY(stop && stop->isVisible());
        QCOMPARE(stop->text(), QString("停止"));
        QSignalSpy finished(&frame->longOperation(), &LongOperation::finished);
        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(!stop->isEnabled());
        QVERIFY(other.RollbackTransaction());
        QVERIFY(finished.wait(30000));
        QVERIFY(!stop->isVisible());
        // Stopped before it had the lock: every row and folder is still there.
        QCOMPARE(prompter.shown.last().caption, QString("提示"));
        QCOMPARE(prompter.lastText(),
                 QString("清除已停止：已清除 0/%1 份资料，其余资料保留在回收站中。").arg(filed));
        QCOMPARE(stored("select count(*) from MinuItemTable where ItemID='" + minor + "'"), filed);
    }

    // Closing the window lets the clear finish rather than cut it off.
    void closingWaitsForTheClear() {
        Database other;
        QVERIFY(other.Open(frame->workspace().currentBase().DatabasePath));
        QVERIFY(other.BeginTransaction());
        QVERIFY(frame->commands().trigger(CommandIds::ClearRecycled));
        QTimer::singleShot(300, [&] { other.RollbackTransaction(); });
        frame->close();
        QVERIFY(!frame->longOperation().isRunning());
        QCOMPARE(stored("select count(*) from MinuItemTable where ItemID='" + minor + "'"),
                 QString("0"));
    }
};

QTEST_MAIN(TestLongOperation)
#include "tst_longoperation.moc"
