#include "ModelCheck.h"
#include "TestBase.h"
#include "commands/CommandRegistry.h"
#include "config/ResourceConfig.h"
#include "dialogs/CSearchDialog.h"
#include "panes/CSearchItemView.h"
#include "search/QueryHistory.h"
#include "search/SearchControl.h"
#include "search/SearchScope.h"
#include "store/CategoryTreeModel.h"
#include "store/MaterialClipboard.h"
#include "store/TreeService.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

// Fills the search dialog as a user would, checks what it enables and
// refuses, and runs a whole knowledge-base search into the result pane.
class TestSearchDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TestBase> t;
    std::unique_ptr<ProgramPaths> paths;
    std::unique_ptr<MaterialClipboard> clipboard;
    std::unique_ptr<TreeService> service;
    std::unique_ptr<CategoryTreeModel> tree;
    std::unique_ptr<SearchControl> control;
    ResourceConfigData config;
    QueryHistory history;
    std::unique_ptr<CSearchDialog> dialog;

    void open(const QString& scope = {}) {
        dialog = std::make_unique<CSearchDialog>(*control, t->base, config, history, *paths,
                                                 t->prompter, tree.get(), scope);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    // A stretched check box only reacts on its box and label, so aim at
    // the box.
    void click(QAbstractButton* b) {
        QVERIFY(b->isEnabled());
        QVERIFY(b->isVisible());
        const bool box = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        const QPoint at = box ? QPoint(b->height() / 2, b->height() / 2) : b->rect().center();
        QTest::mouseClick(b, Qt::LeftButton, {}, at);
    }
    // keyClicks sends Latin-1 only; a Chinese character arrives as the
    // text of a key event, as an input method commits it.
    void type(QComboBox* box, const QString& text) {
        box->lineEdit()->clear();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    void pickDay(QToolButton* button, QDate day) {
        click(button);
        QVERIFY(dialog->calendar()->isVisible());
        emit dialog->calendar()->clicked(day);
        QVERIFY(!dialog->calendar()->isVisible());
    }
    SearchSettings stored() { return SearchSettings::Load(paths->searchConfigFile()); }
    // The result pane wired to the search as the main window wires it.
    void connectView(CSearchItemView& view) {
        connect(control.get(), &SearchControl::tabSelected, &view, &CSearchItemView::selectTab);
        connect(control.get(), &SearchControl::resultBaseSet, &view,
                &CSearchItemView::setResultBase);
        connect(control.get(), &SearchControl::kbListCleared, &view, &CSearchItemView::clearKbList);
        connect(control.get(), &SearchControl::kbRowsAdded, &view, &CSearchItemView::addKbRows);
        connect(control.get(), &SearchControl::fileTreeCleared, &view,
                &CSearchItemView::clearFileTree);
        connect(control.get(), &SearchControl::fileRowsAdded, &view, &CSearchItemView::addFileRows);
        view.resize(600, 300);
        view.show();
    }

private Q_SLOTS:
    void init() {
        t = std::make_unique<TestBase>();
        t->addItems({"010000", "010100", "010101"});
        paths = std::make_unique<ProgramPaths>(t->folder("home"), t->folder("home"));
        clipboard = std::make_unique<MaterialClipboard>();
        service = std::make_unique<TreeService>(t->store, t->base, t->prompter, *clipboard);
        tree = std::make_unique<CategoryTreeModel>(*service);
        checkModel(tree.get());
        tree->fill();
        control = std::make_unique<SearchControl>(t->prompter);
        config = {};
        config.SearchGroups = {{1, "文本"}, {2, "网页"}};
        config.SearchAllFiles = {{10, "*.txt"}, {11, "*.ini"}, {12, "*.htm"}};
        config.SearchFiles = {{10, 1}, {11, 1}, {12, 2}};
        config.SearchFileTypeGroupID = 2;
        history = {};
    }
    void cleanup() {
        dialog.reset();
        if (control)
            QVERIFY(QTest::qWaitFor([&] { return !control->IsSearching(); }, 10000));
        control.reset();
    }

    void opensWithTheSavedBoxesHistoryAndDates() {
        SearchSettings s;
        s.SearchFromNameFlag = 0;
        s.SearchFromContentFlag = 1;
        s.ShowResult1 = 0;
        s.ShowResult2 = 1;
        s.FileHideFlag = 1;
        QVERIFY(s.Save(*paths, t->prompter));
        history.Remember("zeta");
        history.Remember("alpha");
        control->RememberDates("2009-03-01", "2009-03-07");
        open("名010100(010100)");

        QVERIFY(!dialog->byName()->isChecked());
        QVERIFY(dialog->byKeyword()->isChecked());
        QVERIFY(dialog->window2()->isChecked());
        QVERIFY(dialog->hiddenFiles()->isChecked());
        QCOMPARE(dialog->queryBox()->count(), 2);
        QCOMPARE(dialog->queryBox()->itemText(0), QString("alpha"));
        QCOMPARE(dialog->queryBox()->currentText(), QString("alpha"));
        QCOMPARE(dialog->scopeEdit()->text(), QString("名010100(010100)"));
        QVERIFY(dialog->scopeEdit()->isReadOnly() && dialog->fromDate()->isReadOnly());
        QCOMPARE(dialog->fromDate()->text(), QString("2009-03-01"));
        QCOMPARE(dialog->toDate()->text(), QString("2009-03-07"));
        QCOMPARE(dialog->fileTypes()->count(), 2);
        QCOMPARE(dialog->fileTypes()->currentText(), QString("*.htm"));
        QCOMPARE(dialog->fileTypes()->itemText(0), QString("*.txt;*.ini"));
        QVERIFY(dialog->picker()->isHidden());
    }

    void enablingFollowsTheFileAndTimeAndWildcardBoxes() {
        open();
        // Defaults: a search by name, no dates, no file options.
        QVERIFY(dialog->byName()->isEnabled());
        QVERIFY(!dialog->fromDate()->isEnabled());
        QVERIFY(!dialog->fromButton()->isEnabled());
        QVERIFY(!dialog->fileTypes()->isEnabled());
        QVERIFY(!dialog->namesOnly()->isEnabled());
        QVERIFY(!dialog->tokenButton()->isEnabled());

        click(dialog->byTime());
        QVERIFY(dialog->fromDate()->isEnabled());
        QVERIFY(dialog->toButton()->isEnabled());

        click(dialog->pickerButton());
        QVERIFY(dialog->picker()->isVisible());

        click(dialog->fileSearch());
        QVERIFY(!dialog->byName()->isEnabled());
        QVERIFY(!dialog->byTime()->isEnabled());
        QVERIFY(!dialog->fromDate()->isEnabled());
        QVERIFY(dialog->fileTypes()->isEnabled());
        QVERIFY(dialog->wholeWord()->isEnabled());
        QVERIFY(!dialog->tokenButton()->isEnabled());
        // Each change of the rule's boxes folds the picker away.
        QVERIFY(dialog->picker()->isHidden());

        click(dialog->wildcards());
        QVERIFY(dialog->tokenButton()->isEnabled());
        click(dialog->fileSearch());
        QVERIFY(!dialog->tokenButton()->isEnabled());
        QVERIFY(!dialog->wildcards()->isEnabled());
        QVERIFY(dialog->byName()->isEnabled());
        QVERIFY(dialog->fromDate()->isEnabled());
    }

    void tokensAndPickerAndCalendarFillTheirFields() {
        open();
        click(dialog->fileSearch());
        click(dialog->wildcards());
        type(dialog->queryBox(), "ab");
        const QList<QAction*> tokens = dialog->tokenButton()->menu()->actions();
        tokens.at(4)->trigger();
        tokens.at(7)->trigger();
        QCOMPARE(dialog->queryBox()->currentText(), QString("ab^[]"));

        click(dialog->pickerButton());
        click(dialog->wholeBaseButton());
        QCOMPARE(dialog->scopeEdit()->text(), QString("当前本地知识库(000000)"));
        QTreeView* picker = dialog->pickerTree();
        const QModelIndex root = picker->model()->index(0, 0);
        QTest::mouseClick(picker->viewport(), Qt::LeftButton, {},
                          picker->visualRect(root).center());
        QCOMPARE(dialog->scopeEdit()->text(), QString("名010000(010000)"));

        click(dialog->fileSearch());
        click(dialog->byTime());
        pickDay(dialog->fromButton(), QDate(2009, 3, 1));
        pickDay(dialog->toButton(), QDate(2010, 11, 23));
        QCOMPARE(dialog->fromDate()->text(), QString("2009-03-01"));
        QCOMPARE(dialog->toDate()->text(), QString("2010-11-23"));
    }

    void refusalsKeepTheDialogOpen() {
        open(SearchScope::WholeBaseLabel());
        type(dialog->queryBox(), "x");
        click(dialog->byTime());
        click(dialog->searchButton());
        QCOMPARE(t->prompter.lastText(), QString("请选择资料创建时间范围!"));
        QVERIFY(dialog->isVisible());
        QVERIFY(!control->IsSearching());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }

    void everyClosingSavesTheBoxes() {
        open();
        click(dialog->byKeyword());
        click(dialog->window2());
        click(dialog->fileSearch());
        click(dialog->matchCase());
        dialog->reject();
        SearchSettings want;
        want.SearchFromContentFlag = 1;
        want.ShowResult1 = 0;
        want.ShowResult2 = 1;
        want.SearchFromFileFlag = 1;
        want.UpperLowerFlag = 1;
        QCOMPARE(stored(), want);
        QCOMPARE(stored(), dialog->boxes());
    }

    void aConfirmedSearchFillsTheChosenList() {
        for (const char* id : {"1", "2", "3"})
            t->addMaterial(id, "010101");
        t->addMaterial("4", "010101", "EOS");
        CommandRegistry commands;
        CSearchItemView view(t->base, commands, t->prompter);
        connectView(view);
        view.kbList(2)->addItem("old row");

        open(SearchScope::Label("名010100", "010100"));
        type(dialog->queryBox(), "资料");
        click(dialog->window2());
        click(dialog->searchButton());
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(history.CurrentText(), QString("资料"));
        QCOMPARE(stored().ShowResult2, 1);

        QListWidget* list = view.kbList(2);
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 5, 10000);
        QCOMPARE(view.tabs()->currentIndex(), 1);
        QCOMPARE(list->item(0)->text(), QString("根据资料名称对本地知识库 '资料'进行搜索..."));
        QCOMPARE(list->item(1)->text(), QString("[3\t] 资料3"));
        QCOMPARE(list->item(3)->text(), QString("[1\t] 资料1"));
        QCOMPARE(list->item(4)->text(), QString("共有3条记录被发现."));
    }

    void aConfirmedFileSearchFillsTheTree() {
        const MaterialRecord m = t->addMaterial("1", "010101");
        QFile notes(t->folder(m.MinuItemFilePath + "notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("first\nthe needle here\n");
        notes.close();
        CommandRegistry commands;
        CSearchItemView view(t->base, commands, t->prompter);
        connectView(view);

        open(SearchScope::WholeBaseLabel());
        click(dialog->fileSearch());
        dialog->fileTypes()->setCurrentIndex(0);
        type(dialog->queryBox(), "needle");
        click(dialog->searchButton());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));

        QTreeWidget* tree = view.fileTree(1);
        QTRY_COMPARE_WITH_TIMEOUT(tree->topLevelItemCount(), 3, 10000);
        QCOMPARE(view.tabs()->currentIndex(), 2);
        QVERIFY(tree->topLevelItem(0)->text(0).startsWith("搜索'needle'"));
        QTreeWidgetItem* file = tree->topLevelItem(1);
        QVERIFY(file->text(0).endsWith("/notes.txt"));
        QCOMPARE(file->childCount(), 1);
        QCOMPARE(file->child(0)->text(0), QString("[2行] the needle here"));
        QCOMPARE(tree->topLevelItem(2)->text(0), QString("搜索完成,包含1个相关文件"));
    }
};

QTEST_MAIN(TestSearchDialog)
#include "tst_searchdialog.moc"
