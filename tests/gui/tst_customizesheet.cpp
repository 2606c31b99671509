#include "ScriptedPrompter.h"
#include "commands/BarOptions.h"
#include "commands/CommandRegistry.h"
#include "dialogs/CCustomizeSheet.h"
#include "dialogs/CustomizeCommandsPage.h"
#include "dialogs/CustomizeKeyboardPage.h"
#include "dialogs/CustomizeOptionsPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHelpEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

namespace {

constexpr int kNew = 1;
constexpr int kOpen = 2;
constexpr int kSave = 3;
constexpr int kFind = 4;
constexpr int kStop = 5;

// A window laid out as the program's: two menus, a standard toolbar of file
// commands and a search toolbar that holds a label before its command.
struct Frame {
    QMainWindow window;
    CommandRegistry commands;
    BarOptions options;
    ScriptedPrompter prompter;
    QToolBar* standard = nullptr;
    QToolBar* search = nullptr;

    Frame() {
        commands.define(kNew, "新建(&N)", QKeySequence("Ctrl+N"));
        commands.define(kOpen, "打开(&O)...", QKeySequence("Ctrl+O"));
        commands.define(kSave, "保存(&S)", QKeySequence("Ctrl+S"));
        commands.define(kFind, "查找(&F)", QKeySequence("Ctrl+F"));
        commands.define(kStop, "停止(&P)");
        QMenu* file = window.menuBar()->addMenu("文件(&F)");
        for (int id : {kNew, kOpen, kSave})
            file->addAction(commands.action(id));
        QMenu* edit = window.menuBar()->addMenu("编辑(&E)");
        for (int id : {kFind, kStop})
            edit->addAction(commands.action(id));
        standard = window.addToolBar("标准工具条");
        standard->addAction(commands.action(kNew));
        standard->addAction(commands.action(kSave));
        search = window.addToolBar("搜索工具条");
        search->addWidget(new QLabel(" 查找: ", search));
        search->addAction(commands.action(kFind));
        window.show();
    }
    QList<QAction*> actions(std::initializer_list<int> ids) const {
        QList<QAction*> list;
        for (int id : ids)
            list << commands.action(id);
        return list;
    }
};

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result << list->item(row)->text();
    return result;
}

QPushButton* button(QWidget* parent, const QString& text) {
    for (QPushButton* b : parent->findChildren<QPushButton*>()) {
        if (b->text() == text)
            return b;
    }
    qFatal("no button %s", qPrintable(text));
}

void click(QWidget* parent, const QString& text) {
    QPushButton* b = button(parent, text);
    QVERIFY2(b->isEnabled(), qPrintable(text));
    QTest::mouseClick(b, Qt::LeftButton);
}

void chooseRow(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list->setFocus();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
}

// The text a tool tip request over the command's button shows, or nothing.
QString toolTipOver(QToolBar* bar, QAction* action) {
    QToolTip::hideText();
    auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    const QPoint at = b->rect().center();
    QHelpEvent event(QEvent::ToolTip, at, b->mapToGlobal(at));
    QApplication::sendEvent(b, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class TestCustomizeSheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandsAreAddedMovedAndRemovedOnOk() {
        Frame f;
        CCustomizeSheet sheet(&f.window, f.commands, f.options, f.prompter);
        QSignalSpy applied(&sheet, &CCustomizeSheet::applied);
        sheet.show();
        CustomizeCommandsPage* page = sheet.commandsPage();
        QCOMPARE(page->barCombo()->currentText(), QString("标准工具条"));
        QCOMPARE(page->categoryCombo()->itemText(0), QString("文件"));
        QCOMPARE(page->categoryCombo()->itemText(2), QString("所有命令"));
        // What is on the toolbar is not offered again.
        QCOMPARE(texts(page->availableList()), QStringList({"打开..."}));
        QCOMPARE(texts(page->barList()), QStringList({"新建", "保存"}));

        chooseRow(page->availableList(), "打开...");
        click(page, "添加 >>");
        QCOMPARE(texts(page->barList()), QStringList({"新建", "保存", "打开..."}));
        click(page, "上移");
        QCOMPARE(texts(page->barList()), QStringList({"新建", "打开...", "保存"}));
        QCOMPARE(f.standard->actions(), f.actions({kNew, kSave})); // not before OK

        page->barCombo()->setCurrentIndex(1);
        QCOMPARE(texts(page->barList()), QStringList({"查找:", "查找"}));
        chooseRow(page->barList(), "查找:");
        QVERIFY(!button(page, "<< 移除")->isEnabled()); // the label stays
        QVERIFY(!button(page, "下移")->isEnabled());
        chooseRow(page->barList(), "查找");
        click(page, "<< 移除");
        QCOMPARE(texts(page->barList()), QStringList({"查找:"}));

        click(&sheet, "确定");
        QCOMPARE(f.standard->actions(), f.actions({kNew, kOpen, kSave}));
        QCOMPARE(f.search->actions().size(), 1);
        auto* label = f.search->findChild<QLabel*>();
        QVERIFY(label && label->isVisible());
        QCOMPARE(applied.count(), 1);
    }

    void cancelAndResetKeepTheToolbars() {
        Frame f;
        CCustomizeSheet sheet(&f.window, f.commands, f.options, f.prompter);
        QSignalSpy applied(&sheet, &CCustomizeSheet::applied);
        sheet.show();
        CustomizeCommandsPage* page = sheet.commandsPage();
        chooseRow(page->barList(), "新建");
        click(page, "<< 移除");
        click(page, "重置");
        QCOMPARE(texts(page->barList()), QStringList({"新建", "保存"}));
        page->categoryCombo()->setCurrentIndex(2);
        chooseRow(page->availableList(), "停止");
        click(page, "添加 >>");
        chooseRow(page->barList(), "保存");
        click(page, "<< 移除");
        click(&sheet, "取消");
        QCOMPARE(f.standard->actions(), f.actions({kNew, kSave}));
        QCOMPARE(applied.count(), 0);
    }

    void keysAreAssignedAndTakenOnlyWhenTheUserAgrees() {
        Frame f;
        CCustomizeSheet sheet(&f.window, f.commands, f.options, f.prompter);
        sheet.show();
        sheet.tabs()->setCurrentIndex(1);
        CustomizeKeyboardPage* page = sheet.keyboardPage();
        page->categoryCombo()->setCurrentIndex(1); // 编辑
        chooseRow(page->commandList(), "停止");
        QCOMPARE(texts(page->keyList()), QStringList());
        page->keyEdit()->setFocus();
        QTest::keyClick(page->keyEdit(), Qt::Key_K, Qt::ControlModifier);
        click(page, "指定");
        QCOMPARE(texts(page->keyList()), QStringList({"Ctrl+K"}));
        QVERIFY(f.prompter.shown.isEmpty());

        page->categoryCombo()->setCurrentIndex(0); // 文件
        chooseRow(page->commandList(), "新建");
        QCOMPARE(texts(page->keyList()), QStringList({"Ctrl+N"}));
        page->keyEdit()->setFocus();
        QTest::keyClick(page->keyEdit(), Qt::Key_K, Qt::ControlModifier);
        f.prompter.answerNext(Prompter::Answer::No);
        click(page, "指定");
        QCOMPARE(f.prompter.lastText(),
                 QString("快捷键 Ctrl+K 已分配给命令“停止”，是否改为分配给当前命令?"));
        QCOMPARE(texts(page->keyList()), QStringList({"Ctrl+N"}));

        f.prompter.answerNext(Prompter::Answer::Yes);
        click(page, "指定");
        QCOMPARE(f.prompter.shown.size(), 2);
        QCOMPARE(texts(page->keyList()), QStringList({"Ctrl+N", "Ctrl+K"}));
        chooseRow(page->keyList(), "Ctrl+N");
        click(page, "删除");
        QCOMPARE(texts(page->keyList()), QStringList({"Ctrl+K"}));

        QCOMPARE(f.commands.action(kNew)->shortcuts(), {QKeySequence("Ctrl+N")});
        click(&sheet, "确定");
        QCOMPARE(f.commands.action(kNew)->shortcuts(), {QKeySequence("Ctrl+K")});
        QVERIFY(f.commands.action(kStop)->shortcuts().isEmpty());
    }

    void resetAllBringsBackTheProgramsKeys() {
        Frame f;
        f.commands.setShortcuts(kNew, {QKeySequence("Ctrl+S")});
        QVERIFY(f.commands.action(kSave)->shortcuts().isEmpty()); // taken away
        CCustomizeSheet sheet(&f.window, f.commands, f.options, f.prompter);
        sheet.show();
        sheet.tabs()->setCurrentIndex(1);
        click(sheet.keyboardPage(), "全部重置");
        click(&sheet, "确定");
        QCOMPARE(f.commands.action(kNew)->shortcuts(), {QKeySequence("Ctrl+N")});
        QCOMPARE(f.commands.action(kSave)->shortcuts(), {QKeySequence("Ctrl+S")});
    }

    void changedKeysSurviveARestart() {
        Frame before;
        before.commands.setShortcuts(kStop, {QKeySequence("Ctrl+O"), QKeySequence("F5")});
        before.commands.setShortcuts(kFind, {QKeySequence("Ctrl+F"), QKeySequence("Ctrl+Shift+F")});
        const QByteArray saved = before.commands.saveShortcuts();
        // Only what differs from the program's keys, Open's loss included.
        QCOMPARE(saved.count('\n'), 3);

        Frame after;
        QVERIFY(after.commands.restoreShortcuts(saved));
        for (int id : after.commands.ids())
            QCOMPARE(after.commands.action(id)->shortcuts(),
                     before.commands.action(id)->shortcuts());
        QVERIFY(after.commands.action(kOpen)->shortcuts().isEmpty());
        QCOMPARE(after.commands.defaultShortcuts(kOpen), {QKeySequence("Ctrl+O")});
        QCOMPARE(after.commands.ids(), QList<int>({kNew, kOpen, kSave, kFind, kStop}));

        Frame damaged;
        QVERIFY(!damaged.commands.restoreShortcuts(
            "junk\n999=Ctrl+J\n1=Ctrl+Nonsense+Q\n=F2\nx=F3\n5=F4\n"));
        QCOMPARE(damaged.commands.action(kStop)->shortcuts(), {QKeySequence("F4")});
        QCOMPARE(damaged.commands.action(kNew)->shortcuts(), {QKeySequence("Ctrl+N")});
    }

    void optionsChangeIconsAndToolTips() {
        Frame f;
        f.options.apply(&f.window, f.commands);
        QCOMPARE(f.standard->iconSize(), QSize(16, 16));
        QCOMPARE(toolTipOver(f.standard, f.commands.action(kSave)), QString("保存 (Ctrl+S)"));

        CCustomizeSheet sheet(&f.window, f.commands, f.options, f.prompter);
        sheet.show();
        sheet.tabs()->setCurrentIndex(2);
        CustomizeOptionsPage* page = sheet.optionsPage();
        // On the box itself: the check box is as wide as the page.
        QCheckBox* keys = page->keysInToolTipsCheck();
        QTest::mouseClick(keys, Qt::LeftButton, {}, QPoint(8, keys->height() / 2));
        QVERIFY(!keys->isChecked());
        click(&sheet, "确定");
        QCOMPARE(toolTipOver(f.standard, f.commands.action(kSave)), QString("保存"));

        CCustomizeSheet again(&f.window, f.commands, f.options, f.prompter);
        again.show();
        QVERIFY(!again.optionsPage()->keysInToolTipsCheck()->isChecked());
        again.optionsPage()->largeIconsCheck()->click();
        again.optionsPage()->textUnderIconsCheck()->click();
        again.optionsPage()->toolTipsCheck()->click();
        QVERIFY(!again.optionsPage()->keysInToolTipsCheck()->isEnabled());
        click(&again, "确定");
        QCOMPARE(f.standard->iconSize(), QSize(24, 24));
        QCOMPARE(f.search->iconSize(), QSize(24, 24));
        QCOMPARE(f.standard->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(toolTipOver(f.standard, f.commands.action(kSave)), QString());
        // A command added afterwards shows none either.
        f.standard->addAction(f.commands.action(kStop));
        QCOMPARE(toolTipOver(f.standard, f.commands.action(kStop)), QString());
    }

    void barOptionsAreKept() {
        BarOptions changed;
        changed.showToolTips = false;
        changed.largeIcons = true;
        QCOMPARE(BarOptions::restore(changed.save()), changed);
        QCOMPARE(BarOptions::restore("LargeIcons=yes\n\x01\x02=\nTextUnderIcons"), BarOptions());
        QCOMPARE(BarOptions::restore(QByteArray()), BarOptions());
        QVERIFY(BarOptions().showToolTips && BarOptions().shortcutsInToolTips);
    }
};

QTEST_MAIN(TestCustomizeSheet)
#include "tst_customizesheet.moc"
