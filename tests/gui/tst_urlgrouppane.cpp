#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "TimeText.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/TextCodec.h"
#include "panes/CUrlGroupPane.h"
#include "web/UrlGroups.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace CommandIds;

// The navigation pane's kept web addresses driven as a user does: keys and
// clicks in the list, the group drop-down, the edit dialog's fields and
// buttons, and the commands of the menus. What the list shows and what the
// file holds are checked after each step.
class TestUrlGroupPane : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter prompter;
    std::unique_ptr<CommandRegistry> commands;
    std::unique_ptr<UrlGroups> urls;
    std::unique_ptr<CUrlGroupPane> pane;

    QTreeWidget* list() const { return pane->list(); }

    // Title, address and group id of each row shown.
    QStringList rows() const {
        QStringList shown;
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list()->topLevelItem(i);
            shown.append(row->text(CUrlGroupPane::TitleColumn) + "|" +
                         row->text(CUrlGroupPane::AddressColumn) + "|" +
                         row->text(CUrlGroupPane::GroupIdColumn));
        }
        return shown;
    }
    // The entry lines of the file as "id|group id|title|address", read from
    // its bytes.
    QStringList fileEntries() const {
        QStringList entries;
        const QString text = TextCodec::decode(home->read("ResourceConfig/UserUrlConfig.ini"));
        for (const QString& line : text.split("\r\n", Qt::SkipEmptyParts)) {
            if (!line.startsWith("UserUrl="))
                continue;
            const QStringList f = line.mid(8).split('|');
            entries.append(QStringList{f.value(0), f.value(1), f.value(3), f.value(4)}.join('|'));
        }
        return entries;
    }
    // The row is wider than the pane: its middle where it shows.
    QPoint rowPoint(int i) const {
        const QRect rect = list()->visualItemRect(list()->topLevelItem(i));
        return rect.intersected(list()->viewport()->rect()).center();
    }
    QPoint belowRows() const { return QPoint(10, list()->viewport()->height() - 5); }
    void clickAt(const QPoint& at) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
    }
    void clickRow(int i) { clickAt(rowPoint(i)); }
    void key(int k, Qt::KeyboardModifiers mods = {}) {
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key(k), mods);
    }
    void chooseGroup(const QString& name) {
        QComboBox* box = pane->groupBox();
        box->setFocus();
        const int target = box->findText(name);
        QVERIFY(target >= 0);
        while (box->currentIndex() != target)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(pane->currentGroup(), name);
    }
    // QTest's key clicks take Latin-1 only; an input method hands a line
    // edit Chinese text as key events that carry it.
    static void typeText(QLineEdit* edit, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &release);
        }
    }
    void addEntry(const QString& title, const QString& address) {
        QVERIFY(commands->trigger(NewUrl));
        typeAndOk(title, address);
    }
    // Types into the open dialog's fields and presses OK.
    void typeAndOk(const QString& title, const QString& address) {
        CUrlEditDlg* dialog = pane->editDialog();
        QVERIFY(dialog && dialog->isVisible());
        dialog->titleEdit()->clear();
        typeText(dialog->titleEdit(), title);
        dialog->addressEdit()->clear();
        typeText(dialog->addressEdit(), address);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    }
    // Right click at a point of the list: the texts of the menu that opens.
    QStringList contextMenuAt(const QPoint& at) {
        QStringList texts;
        QTimer::singleShot(0, this, [&texts] {
            QWidget* popup = QApplication::activePopupWidget();
            if (!popup)
                return;
            for (const QAction* action : popup->actions())
                texts.append(action->text().section(' ', 0, 0));
            popup->close();
        });
        QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, list()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list()->viewport(), &event);
        // The closed menu leaves no window active here, as a desktop would.
        pane->activateWindow();
        if (!QTest::qWaitForWindowActive(pane.get()))
            texts.append("<the pane did not come back>");
        return texts;
    }
    bool enabled(int id) const { return commands->action(id)->isEnabled(); }
    bool dialogOpen() const { return pane->editDialog() && pane->editDialog()->isVisible(); }

private Q_SLOTS:
    void init() {
        TimeText::setClock(
            [] { return QDateTime::fromString("2024-01-01 10:00:00", TimeText::kFormat); });
        home = std::make_unique<TestHome>();
        prompter = ScriptedPrompter();
        commands = std::make_unique<CommandRegistry>();
        urls = std::make_unique<UrlGroups>(home->paths().urlConfigFile(), prompter);
        pane = std::make_unique<CUrlGroupPane>(*urls, *commands);
        pane->resize(700, 400);
        pane->show();
        QVERIFY(QTest::qWaitForWindowActive(pane.get()));
        urls->load();
        pane->fill();
    }
    void cleanup() {
        pane.reset();
        TimeText::setClock({});
    }

    void theListAndTheGroupsAtStart() {
        QCOMPARE(list()->columnCount(), 6);
        QStringList headers;
        for (int c = 0; c < 6; ++c)
            headers.append(list()->headerItem()->text(c));
        QCOMPARE(headers, QStringList({" ", "标题", "网址", "加入时间", "ID", "组ID"}));
        QCOMPARE(pane->groupBox()->currentText(), QString("全部网址"));
        QCOMPARE(pane->groupBox()->count(), 2);
        QVERIFY(pane->currentGroup().isEmpty());
        QVERIFY(enabled(NewUrl) && enabled(NewUrlGroup));
        for (int id :
             {OpenUrl, CutUrl, PasteUrl, DeleteUrl, ModifyUrl, DeleteUrlGroup, RenameUrlGroup})
            QVERIFY2(!enabled(id), qPrintable(QString::number(id)));
        QCOMPARE(commands->action(OpenUrl)->text(), QString("打开              Enter"));
        QCOMPARE(commands->action(NewUrl)->text(), QString("新建              Insert"));
    }

    void addModifyCutPasteAndDelete() {
        prompter.typeNext(QString("工作"));
        QVERIFY(commands->trigger(NewUrlGroup));
        QCOMPARE(pane->groupBox()->count(), 3);
        QCOMPARE(pane->groupBox()->itemText(1), QString("工作"));

        // Add with the Insert key while every entry is shown.
        key(Qt::Key_Insert);
        QVERIFY(dialogOpen());
        QCOMPARE(pane->editDialog()->mode(), CUrlEditDlg::Mode::New);
        typeAndOk(" 新浪 ", "http://sina.com/");
        QVERIFY(!dialogOpen());
        QCOMPARE(rows(), QStringList({"新浪|http://sina.com|0"}));
        QCOMPARE(fileEntries(), QStringList({"1|0|新浪|http://sina.com"}));

        // The same address again: refused, and the dialog closes.
        addEntry("又一个", "http://sina.com");
        QCOMPARE(prompter.lastText(), QString("当前网址已经存在,不能再添加!"));
        QVERIFY(!dialogOpen());
        // No title: the dialog stays open with what was typed.
        addEntry("", "http://b");
        QCOMPARE(prompter.lastText(), QString("请填写网址名!"));
        QVERIFY(dialogOpen());
        QCOMPARE(pane->editDialog()->address(), QString("http://b"));
        QTest::mouseClick(pane->editDialog()->cancelButton(), Qt::LeftButton);
        QVERIFY(!dialogOpen());

        // Modify the clicked row.
        clickRow(0);
        QVERIFY(enabled(ModifyUrl) && enabled(CutUrl) && enabled(DeleteUrl));
        QVERIFY(commands->trigger(ModifyUrl));
        QCOMPARE(pane->editDialog()->mode(), CUrlEditDlg::Mode::Modify);
        QCOMPARE(pane->editDialog()->title(), QString("新浪"));
        QCOMPARE(pane->editDialog()->address(), QString("http://sina.com"));
        typeAndOk("新浪网", "http://sina.com");
        QVERIFY(!dialogOpen());
        QCOMPARE(rows(), QStringList({"新浪网|http://sina.com|0"}));
        QCOMPARE(fileEntries(), QStringList({"1|0|新浪网|http://sina.com"}));

        // Enter opens the row's address.
        QSignalSpy opened(pane.get(), &CUrlGroupPane::openRequested);
        clickRow(0);
        key(Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0][0].toString(), QString("http://sina.com"));

        // Cut, choose the group, paste.
        clickRow(0);
        key(Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!enabled(PasteUrl));
        chooseGroup("工作");
        QVERIFY(rows().isEmpty());
        QVERIFY(enabled(PasteUrl) && enabled(DeleteUrlGroup) && enabled(RenameUrlGroup));
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rows(), QStringList({"新浪网|http://sina.com|1"}));
        QCOMPARE(fileEntries(), QStringList({"1|1|新浪网|http://sina.com"}));
        QVERIFY(!enabled(PasteUrl));

        // Delete the row with the Delete key.
        clickRow(0);
        key(Qt::Key_Delete);
        QVERIFY(rows().isEmpty());
        QVERIFY(fileEntries().isEmpty());
    }

    void deletingAndRenamingTheGroupShown() {
        prompter.typeNext(QString("工作"));
        QVERIFY(commands->trigger(NewUrlGroup));
        chooseGroup("工作");
        addEntry("甲", "http://a");
        QCOMPARE(rows(), QStringList({"甲|http://a|1"}));

        prompter.typeNext(QString("全部网址"));
        QVERIFY(commands->trigger(RenameUrlGroup));
        QCOMPARE(prompter.lastText(), QString("请输入其它网址组名!"));
        prompter.typeNext(QString("学习"));
        QVERIFY(commands->trigger(RenameUrlGroup));
        QCOMPARE(pane->groupBox()->currentText(), QString("学习"));
        QCOMPARE(pane->currentGroup(), QString("学习"));
        QCOMPARE(rows(), QStringList({"甲|http://a|1"}));

        prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(commands->trigger(DeleteUrlGroup));
        QCOMPARE(prompter.shown.last().caption, QString("警告"));
        QCOMPARE(prompter.lastText(),
                 QString("点击确定后，当前网址组下的所有网址将被删除，确定吗?"));
        QCOMPARE(pane->groupBox()->currentText(), QString("全部网址"));
        QCOMPARE(pane->groupBox()->count(), 2);
        QVERIFY(rows().isEmpty());
        QVERIFY(fileEntries().isEmpty());
        QVERIFY(!enabled(DeleteUrlGroup));
    }

    void theContextMenuOffersWhatTheRowAndTheGroupAllow() {
        prompter.typeNext(QString("工作"));
        QVERIFY(commands->trigger(NewUrlGroup));
        addEntry("甲", "http://a");
        const QPoint empty = belowRows();
        QCOMPARE(contextMenuAt(rowPoint(0)),
                 QStringList({"打开", "新建", "剪切", "删除", "修改", "新建网址群"}));
        QCOMPARE(contextMenuAt(empty), QStringList({"新建", "新建网址群"}));
        clickRow(0);
        key(Qt::Key_X, Qt::ControlModifier);
        // A special group shown: a left click leaves paste off, a right
        // click offers it.
        clickAt(empty);
        QVERIFY(!enabled(PasteUrl));
        QCOMPARE(contextMenuAt(empty), QStringList({"新建", "粘贴", "新建网址群"}));
        QVERIFY(enabled(PasteUrl));
        chooseGroup("工作");
        QCOMPARE(contextMenuAt(empty),
                 QStringList({"新建", "粘贴", "新建网址群", "删除当前网址群", "修改当前网址群"}));
    }

    void aSavedPageFillsANewEntry() {
        pane->savePage("某页", "http://page/");
        QVERIFY(dialogOpen());
        QCOMPARE(pane->editDialog()->title(), QString("某页"));
        QCOMPARE(pane->editDialog()->address(), QString("http://page/"));
        QTest::mouseClick(pane->editDialog()->okButton(), Qt::LeftButton);
        QCOMPARE(rows(), QStringList({"某页|http://page|0"}));
        // Insert keeps what the page left; the menu's command empties it.
        key(Qt::Key_Insert);
        QCOMPARE(pane->editDialog()->title(), QString("某页"));
        QTest::mouseClick(pane->editDialog()->cancelButton(), Qt::LeftButton);
        QVERIFY(commands->trigger(NewUrl));
        QCOMPARE(pane->editDialog()->title(), QString());
    }

    void aClickAwayFromTheRowsClosesTheModifyDialog() {
        addEntry("甲", "http://a");
        addEntry("乙", "http://b");
        clickRow(0);
        QVERIFY(commands->trigger(ModifyUrl));
        // Another row clicked loads into the open dialog.
        clickRow(1);
        QCOMPARE(pane->editDialog()->title(), QString("乙"));
        typeAndOk("乙二", "http://b");
        QCOMPARE(rows(), QStringList({"甲|http://a|0", "乙二|http://b|0"}));
        clickRow(0);
        QVERIFY(commands->trigger(ModifyUrl));
        clickAt(belowRows());
        QVERIFY(!dialogOpen());
        QVERIFY(!enabled(ModifyUrl));
    }
};

QTEST_MAIN(TestUrlGroupPane)
#include "tst_urlgrouppane.moc"
