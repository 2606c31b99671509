#include "ScriptedPrompter.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "panes/CSearchItemView.h"
#include "store/CurrentKnowledgeBase.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

// Fills the result pane the way the search control does and opens rows with
// the mouse and the commands, checking what the user sees and what the main
// window is asked to open.
class TestSearchItemView : public QObject {
    Q_OBJECT

    CurrentKnowledgeBase base;
    ScriptedPrompter prompter;
    std::unique_ptr<CommandRegistry> commands;
    std::unique_ptr<CSearchItemView> view;

    // The view takes the press of the first click before the double click.
    template <typename View, typename Item> void doubleClick(View* view, Item* item) {
        view->scrollToItem(item);
        const QPoint at = view->visualItemRect(item).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    void doubleClick(QListWidget* list, int row) { doubleClick(list, list->item(row)); }
    QStringList rowsOf(QListWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }
    // A finished knowledge-base search of base 7 in window 1.
    void fillKbList(int window, const QString& baseId = "7") {
        view->selectTab(window - 1);
        view->setResultBase(window - 1, baseId);
        view->clearKbList(window);
        view->addKbRows(
            window, {"根据资料名称对本地知识库 '资料'进行搜索...", "[12\t] 资料12", "[5\t] 资料5"});
        view->addKbRows(window, {"共有2条记录被发现."});
    }
    void fillFileTree(int window) {
        view->selectTab(window + 1);
        view->clearFileTree(window);
        view->addFileRows(window, {{1, "搜索'x' --[库]知识库"},
                                   {1, "/base/01/a.txt"},
                                   {2, "[3行] a x b"},
                                   {2, "[12行] x"},
                                   {1, "/base/02/b.txt"},
                                   {1, "搜索完成,包含2个相关文件"}});
    }

private Q_SLOTS:
    void init() {
        base = {};
        base.ID = 7;
        prompter.shown.clear();
        commands = std::make_unique<CommandRegistry>();
        view = std::make_unique<CSearchItemView>(base, *commands, prompter);
        view->resize(700, 400);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        // Keys reach the commands' shortcuts only in the active window.
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
    }
    void cleanup() {
        view.reset();
        commands.reset();
    }

    void listsCountRowsAndClearOnlyTheirOwnWindow() {
        QCOMPARE(view->tabs()->widget(1), view->kbList(2));
        QCOMPARE(view->tabs()->widget(3), view->fileTree(2));
        fillKbList(2);
        fillKbList(1);
        QCOMPARE(view->tabs()->currentIndex(), 0);
        QCOMPARE(view->rowCount(), 4);
        view->clearKbList(2);
        QCOMPARE(view->kbList(2)->count(), 0);
        QCOMPARE(rowsOf(view->kbList(1)).at(1), QString("[12\t] 资料12"));
        QCOMPARE(view->rowCount(), 0);
        view->addKbRows(2, {"a", "b"});
        QCOMPARE(view->rowCount(), 2);
    }

    void linesGoUnderTheLastFileOfTheirOwnTree() {
        fillFileTree(1);
        QTreeWidget* tree = view->fileTree(1);
        QCOMPARE(tree->topLevelItemCount(), 4);
        QCOMPARE(tree->topLevelItem(1)->childCount(), 2);
        QCOMPARE(tree->topLevelItem(1)->child(1)->text(0), QString("[12行] x"));
        QVERIFY(tree->topLevelItem(1)->isExpanded());
        QCOMPARE(view->rowCount(), 6);

        // Tree 2 has no file yet: its line is counted but has nowhere to go,
        // and must not land in tree 1.
        view->addFileRows(2, {{2, "[1行] y"}});
        QCOMPARE(view->fileTree(2)->topLevelItemCount(), 0);
        QCOMPARE(tree->topLevelItem(3)->childCount(), 0);
        QCOMPARE(view->rowCount(), 7);

        view->clearFileTree(1);
        view->addFileRows(1, {{2, "[1行] y"}});
        QCOMPARE(tree->topLevelItemCount(), 0);
        QCOMPARE(view->rowCount(), 1);
    }

    void doubleClickOnAResultRowOpensItsMaterial() {
        fillKbList(1);
        QSignalSpy open(view.get(), &CSearchItemView::openMaterialRequested);
        doubleClick(view->kbList(1), 0); // header
        doubleClick(view->kbList(1), 3); // count line
        QCOMPARE(open.count(), 0);
        doubleClick(view->kbList(1), 2);
        QCOMPARE(open.count(), 1);
        QCOMPARE(open.at(0).at(0).toString(), QString("5"));
        QCOMPARE(open.at(0).at(1).toString(), QString("7"));
        QVERIFY(prompter.shown.isEmpty());
    }

    void aRowOfAnotherBaseIsRefused() {
        fillKbList(2, "3");
        QSignalSpy open(view.get(), &CSearchItemView::openMaterialRequested);
        doubleClick(view->kbList(2), 1);
        QCOMPARE(open.count(), 0);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.at(0).caption, QString("错误"));
        QCOMPARE(prompter.lastText(), QString("该资料不在当前知识库内，打开失败!"));
    }

    void commandsActOnTheOneSelectedRow() {
        fillKbList(1);
        QListWidget* list = view->kbList(1);
        QSignalSpy open(view.get(), &CSearchItemView::openMaterialRequested);
        QSignalSpy dock(view.get(), &CSearchItemView::dockMaterialRequested);
        QSignalSpy move(view.get(), &CSearchItemView::moveToMaterialsRequested);

        list->setCurrentRow(0);
        commands->updateEnabled();
        QVERIFY(!commands->action(CommandIds::DockSearchResult)->isEnabled());
        QVERIFY(!commands->trigger(CommandIds::OpenSearchResult));

        list->setCurrentRow(1);
        list->item(2)->setSelected(true);
        commands->updateEnabled();
        QVERIFY(!commands->trigger(CommandIds::SearchResultToMaterials));

        list->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
        commands->updateEnabled();
        QVERIFY(commands->trigger(CommandIds::OpenSearchResult));
        QVERIFY(commands->trigger(CommandIds::DockSearchResult));
        QVERIFY(commands->trigger(CommandIds::SearchResultToMaterials));
        QCOMPARE(open.count(), 1);
        QCOMPARE(dock.at(0).at(0).toString(), QString("12"));
        QCOMPARE(move.at(0).at(0).toString(), QString("12"));
        QCOMPARE(move.at(0).at(1).toString(), QString("7"));

        // The key reaches the list that has the focus.
        QSignalSpy before(view.get(), &CSearchItemView::openMaterialRequested);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(before.count(), 1);
    }

    void fileRowsOpenTheFileAndLineRowsItsLine() {
        fillFileTree(2);
        QTreeWidget* tree = view->fileTree(2);
        QSignalSpy file(view.get(), &CSearchItemView::openFile);
        QSignalSpy line(view.get(), &CSearchItemView::openFileAtLine);

        doubleClick(tree, tree->topLevelItem(0)); // header
        doubleClick(tree, tree->topLevelItem(3)); // summary
        QCOMPARE(file.count() + line.count(), 0);

        doubleClick(tree, tree->topLevelItem(1)->child(1));
        QCOMPARE(line.count(), 1);
        QCOMPARE(line.at(0).at(0).toString(), QString("/base/01/a.txt"));
        QCOMPARE(line.at(0).at(1).toInt(), 12);
        QVERIFY(tree->topLevelItem(1)->isExpanded());

        doubleClick(tree, tree->topLevelItem(2));
        QCOMPARE(file.count(), 1);
        QCOMPARE(file.at(0).at(0).toString(), QString("/base/02/b.txt"));

        tree->setCurrentItem(tree->topLevelItem(1)->child(0));
        commands->updateEnabled();
        QVERIFY(!commands->action(CommandIds::DockSearchResult)->isEnabled());
        QVERIFY(commands->trigger(CommandIds::OpenSearchResult));
        QCOMPARE(line.at(1).at(1).toInt(), 3);
    }

    void lineNumbersAreTheLeadingDigits() {
        QCOMPARE(CSearchItemView::lineOf("[3行] a"), std::optional<int>(3));
        QCOMPARE(CSearchItemView::lineOf("[1024行] ]"), std::optional<int>(1024));
        QCOMPARE(CSearchItemView::lineOf("3行] a"), std::nullopt);
        QCOMPARE(CSearchItemView::lineOf("[行] a"), std::nullopt);
    }
};

QTEST_MAIN(TestSearchItemView)
#include "tst_searchitemview.moc"
