#include "BaseModels.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CRecycleBinPane.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

// Drives the tree and recycle bin panes with the keys a user presses and
// checks both what the panes show and what the base stores.
class TestTreePanes : public BaseModels {
    Q_OBJECT

    std::unique_ptr<CommandRegistry> commands;
    std::unique_ptr<QWidget> window;
    CKnowledgeTreePane* treePane = nullptr;
    CRecycleBinPane* binPane = nullptr;

    QTreeView* treeView() { return treePane->view(); }
    void select(const QString& code) {
        treeView()->setCurrentIndex(tree->indexOf(code));
        commands->updateEnabled();
    }
    void press(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key(key), mods);
    }
    QString stored(const QString& column, const QString& code) {
        const QStringList v = t->column(
            QStringLiteral("select %1 from ItemTable where ItemID=?").arg(column), {code});
        return v.isEmpty() ? QString() : v.first();
    }

private Q_SLOTS:
    void init() {
        openModels();
        t->addItems({"010000", "010100", "010101", "010200", "020000"});
        commands = std::make_unique<CommandRegistry>();
        window = std::make_unique<QWidget>();
        auto* layout = new QHBoxLayout(window.get());
        treePane = new CKnowledgeTreePane(*tree, *service, t->prompter, *commands);
        binPane = new CRecycleBinPane(*bin, *commands);
        layout->addWidget(treePane);
        layout->addWidget(binPane);
        window->show();
        // Keys reach shortcuts only in the active window.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        tree->fill();
    }
    void cleanup() {
        window.reset();
        commands.reset();
        closeModels();
    }

    void fillShowsEveryLevelExpanded() {
        QCOMPARE(tree->rowCount(), 2);
        QVERIFY(treeView()->isExpanded(tree->indexOf("010100")));
        QVERIFY(treeView()->isExpanded(tree->indexOf("010000")));
    }

    void f2RenamesByLabelEdit() {
        select("010100");
        press(treeView(), Qt::Key_F2);
        auto* editor = treeView()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString("名010100")); // the name without its code
        editor->selectAll();
        editor->insert("读书笔记"); // typed through an input method
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits the edit once the key press is done with.
        QTRY_COMPARE(tree->indexOf("010100").data().toString(), QString("读书笔记(010100)"));
        QCOMPARE(stored("ItemName", "010100"), QString("读书笔记"));
    }

    void addingAChildStartsItsLabelEdit() {
        select("010000");
        QVERIFY(commands->trigger(CommandIds::AddChildItem));
        QCOMPARE(treeView()->currentIndex().data().toString(), QString("新建资料大项!(010300)"));
        QVERIFY(treeView()->findChild<QLineEdit*>());
    }

    void shiftUpExchangesSiblingsAndDelSendsToTheRecycleBin() {
        select("010200");
        press(treeView(), Qt::Key_Up, Qt::ShiftModifier);
        const QModelIndex root = tree->indexOf("010000");
        QCOMPARE(tree->index(0, 0, root).data().toString(), QString("名010200(010200)"));
        QCOMPARE(treeView()->currentIndex().row(), 1);

        select("010200");
        press(treeView(), Qt::Key_Delete); // the question is answered OK
        QCOMPARE(t->prompter.lastText(), QString("确定要删除该知识库项吗?"));
        QCOMPARE(stored("ItemFlag", "010200"), QString("EOS"));
        QCOMPARE(tree->rowCount(root), 1);
    }

    void ctrlXCtrlVMovesAMinor() {
        select("010101");
        press(treeView(), Qt::Key_X, Qt::ControlModifier);
        select("010200");
        press(treeView(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(tree->rowCount(tree->indexOf("010100")), 0);
        QCOMPARE(tree->index(0, 0, tree->indexOf("010200")).data().toString(),
                 QString("名010101(010201)"));
        QCOMPARE(stored("ItemName", "010201"), QString("名010101"));
    }

    void recycleBinKeysRestoreAndClear() {
        select("010101");
        press(treeView(), Qt::Key_Delete);
        select("020000");
        press(treeView(), Qt::Key_Delete);
        QTreeView* binView = binPane->view();
        QCOMPARE(bin->rowCount(), 2);
        QCOMPARE(bin->index(0, RecycleBinModel::KindColumn).data().toString(),
                 QString("知识库根项"));

        binView->setCurrentIndex(bin->index(1, 0)); // the minor
        press(binView, Qt::Key_F11);
        QCOMPARE(bin->rowCount(), 1);
        QCOMPARE(tree->rowCount(tree->indexOf("010100")), 1);

        binView->setCurrentIndex(bin->index(0, 0));
        press(binView, Qt::Key_Delete);
        QCOMPARE(t->prompter.lastText(), QString("清除后将不能恢复，确定吗?"));
        QCOMPARE(bin->rowCount(), 0);
        QCOMPARE(stored("ItemName", "020000"), QString());
    }
};

QTEST_MAIN(TestTreePanes)
#include "tst_treepanes.moc"
