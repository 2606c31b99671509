#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "app/CMainFrame.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/LayoutFile.h"
#include "config/Profile.h"
#include "documents/DocumentWindow.h"
#include "panes/AutoHideDocks.h"
#include "panes/CTaskPanel.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

using namespace CommandIds;

const QString kRestoreFault = QStringLiteral("系统启动界面设置异常,请启动后重新布置界面!");

// Which of the nine panes and the task panel are open, by id (0 for the
// task panel), the way the user sees the window.
QList<int> openPanes(CMainFrame& frame) {
    QList<int> open;
    for (int id = PaneDockStation; id <= PaneFileBrowser; ++id) {
        if (!frame.pane(id)->isHidden())
            open << id;
    }
    if (!frame.findChild<QDockWidget*>(QStringLiteral("taskPanel"))->isHidden())
        open << 0;
    return open;
}

QToolBar* bar(CMainFrame& frame, const char* name) {
    return frame.findChild<QToolBar*>(QString::fromUtf8(name));
}

QStringList groupTitles(CMainFrame& frame) {
    QStringList titles;
    for (const TaskGroup& group : frame.taskPanel().groups())
        titles << group.title;
    return titles;
}

} // namespace

class TestMainLayout : public QObject {
    Q_OBJECT

    QTemporaryDir m_profileDir;
    std::unique_ptr<Profile> m_profile;
    std::unique_ptr<TestHome> m_home;
    ScriptedPrompter m_prompter;

    // A home without a base, whose shipped files are the build's.
    std::unique_ptr<CMainFrame> start(const QString& shipped = TestHome::shippedFolder()) {
        auto frame = std::make_unique<CMainFrame>(ProgramPaths(m_home->path(), shipped), m_prompter,
                                                  *m_profile);
        if (!frame->OnCreate([] { return false; }))
            return nullptr;
        frame->resize(1100, 760);
        frame->show();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            return nullptr;
        return frame;
    }

    QString layoutFile() const { return m_home->paths().layoutFile(); }

private Q_SLOTS:
    void init() {
        m_profile = std::make_unique<Profile>(m_profileDir.filePath("p.conf"));
        m_home = std::make_unique<TestHome>();
        m_home->write("ResourceConfig/ResourceConfig.ini", "");
        m_prompter = ScriptedPrompter();
    }

    // The user's arrangement comes back at the next start: panes closed stay
    // closed, a bar hidden stays hidden, a bar's commands keep their order
    // and its controls stay, and a changed key is kept.
    void arrangementIsKeptBetweenRuns() {
        {
            auto frame = start();
            QVERIFY(frame);
            frame->pane(PaneDockStation)->close();
            frame->pane(PaneFileBrowser)->close();
            bar(*frame, "搜索工具条")->hide();
            QToolBar* standard = bar(*frame, "标准工具条");
            standard->removeAction(frame->commands().action(SaveAll));
            frame->commands().setShortcuts(FullScreen, {QKeySequence(Qt::Key_F11)});
            QVERIFY(frame->close());
        }
        QVERIFY(QFile::exists(layoutFile()));
        auto frame = start();
        QVERIFY(frame);
        QVERIFY(m_prompter.shown.isEmpty());
        const QList<int> open = openPanes(*frame);
        QVERIFY(!open.contains(PaneDockStation));
        QVERIFY(!open.contains(PaneFileBrowser));
        QVERIFY(open.contains(PaneKnowledgeBase));
        QVERIFY(open.contains(PaneMaterials));
        QVERIFY(bar(*frame, "搜索工具条")->isHidden());
        QToolBar* standard = bar(*frame, "标准工具条");
        QVERIFY(!standard->actions().contains(frame->commands().action(SaveAll)));
        QVERIFY(standard->actions().contains(frame->commands().action(Save)));
        QVERIFY(frame->findChild<QWidget*>("descriptTypeSelector")->isVisible());
        QCOMPARE(frame->commands().action(FullScreen)->shortcut(), QKeySequence(Qt::Key_F11));
    }

    void autoHideAllKeepsClosedPanesClosedAndSlidesOut() {
        {
            auto frame = start();
            QVERIFY(frame);
            frame->pane(PaneRecycleBin)->close();
            QVERIFY(frame->commands().trigger(AutoHideAllPanes));
            AutoHideDocks& autoHide = frame->autoHide();
            QVERIFY(frame->pane(PaneRecycleBin)->isHidden());
            QVERIFY(!autoHide.isAutoHidden(frame->pane(PaneRecycleBin)));
            QVERIFY(!autoHide.tabOf(frame->pane(PaneRecycleBin)));
            QVERIFY(openPanes(*frame).isEmpty()); // no room taken beside the documents
            QWidget* tab = autoHide.tabOf(frame->pane(PaneKnowledgeBase));
            QVERIFY(tab);
            QTRY_VERIFY(tab->isVisible());

            QTest::mouseClick(tab, Qt::LeftButton);
            QTRY_COMPARE(autoHide.slidOut(), frame->pane(PaneKnowledgeBase));
            QTest::mouseClick(frame->documents().viewport(), Qt::LeftButton);
            QTRY_VERIFY(!autoHide.slidOut());
            QVERIFY(frame->close());
        }
        // Kept with the layout: the tabs come back at the next start.
        auto frame = start();
        QVERIFY(frame);
        QVERIFY(m_prompter.shown.isEmpty());
        QVERIFY(frame->autoHide().isAutoHidden(frame->pane(PaneKnowledgeBase)));
        QVERIFY(!frame->autoHide().isAutoHidden(frame->pane(PaneRecycleBin)));
        QVERIFY(frame->pane(PaneRecycleBin)->isHidden());
    }

    void unloadableOrFaultyLayoutStillGivesAUsableWindow() {
        // Cut short: the file cannot be loaded, which is no fault of the
        // user's to be told about.
        writeBytes(layoutFile(), "<?xml version=\"1.0\"?><Settings><TaskPanel><Group title=\"x\">");
        {
            auto frame = start();
            QVERIFY(frame);
            QVERIFY(m_prompter.shown.isEmpty());
            QCOMPARE(groupTitles(*frame), QStringList({"知识库", "网页", "窗口"}));
            QCOMPARE(openPanes(*frame).size(), 10);
            frame->hide(); // not closed: the file stays as it was
        }
        // Well formed, with a panel of the user's, but the panes' state is
        // nothing Qt can restore: said once, and the panel is reset.
        LayoutFile::Contents contents;
        contents.taskPanel = QList<TaskGroup>{{QStringLiteral("我的任务"), {FullScreen}}};
        contents.normal = WindowLayout{};
        contents.normal->dockingPane = "not a saved state";
        contents.fullScreen = WindowLayout{};
        QVERIFY(LayoutFile::write(layoutFile(), contents));
        auto frame = start();
        QVERIFY(frame);
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown[0].text, kRestoreFault);
        QCOMPARE(groupTitles(*frame), QStringList({"知识库", "网页", "窗口"}));
        QCOMPARE(openPanes(*frame).size(), 10);
        QVERIFY(frame->commands().trigger(PaneRecycleBin));

        // The same panel with a sound state is the user's own.
        frame->hide();
        frame.reset();
        contents.normal->dockingPane.clear();
        QVERIFY(LayoutFile::write(layoutFile(), contents));
        frame = start();
        QCOMPARE(groupTitles(*frame), QStringList({"我的任务"}));
        QCOMPARE(m_prompter.shown.size(), 1);
    }

    void fullScreenTwiceReturnsTheWindowAsItWas() {
        auto frame = start();
        QVERIFY(frame);
        frame->pane(PaneRecycleBin)->close();
        const QRect before = frame->geometry();
        const QByteArray state = frame->saveState();
        const QList<int> open = openPanes(*frame);

        // Never in full screen before: only the documents, and the bar
        // that leads back.
        QVERIFY(frame->commands().trigger(FullScreen));
        QVERIFY(frame->isFullScreenMode());
        QVERIFY(frame->commands().action(FullScreen)->isChecked());
        QVERIFY(openPanes(*frame).isEmpty());
        QVERIFY(!bar(*frame, "全屏工具条")->isHidden());
        frame->pane(PaneProperties)->show(); // the user's full-screen arrangement

        QVERIFY(frame->commands().trigger(FullScreen));
        QVERIFY(!frame->isFullScreenMode());
        QTRY_COMPARE(frame->geometry(), before);
        QCOMPARE(openPanes(*frame), open);
        QCOMPARE(frame->saveState(), state);
        QVERIFY(bar(*frame, "全屏工具条")->isHidden());

        // The second time the user's full-screen arrangement comes back.
        QVERIFY(frame->commands().trigger(FullScreen));
        QCOMPARE(openPanes(*frame), QList<int>({PaneProperties}));
        QVERIFY(frame->close()); // leaves full screen before it saves
        const std::optional<LayoutFile::Contents> saved = LayoutFile::read(layoutFile());
        QVERIFY(saved && saved->fullScreen && saved->fullScreen->commandBars);
        auto next = start();
        QCOMPARE(openPanes(*next), open);
    }

    void classicLayoutReplacesTheLayoutFile() {
        const QByteArray classic =
            readBytes(QDir(TestHome::shippedFolder()).filePath("ResourceConfig/ClassicType1.xml"));
        {
            auto frame = start();
            QVERIFY(frame);
            m_prompter.answerNext(Prompter::Answer::No);
            QVERIFY(frame->commands().trigger(ClassicLayout1));
            QCOMPARE(m_prompter.shown.size(), 1);
            QCOMPARE(m_prompter.shown[0].caption, QString("提示"));
            QCOMPARE(m_prompter.shown[0].text,
                     QString("您是否要需要重新启动程序使得布局更换立刻生效?"));
            QVERIFY(frame->isVisible()); // "No": the new layout waits for the next start
            frame->pane(PaneProperties)->close();
            QVERIFY(frame->close());
            QVERIFY(!frame->restartAtExit());
        }
        QCOMPARE(readBytes(layoutFile()), classic);
        // The simple layout: the tree, and the materials with the search
        // results below.
        auto frame = start();
        QVERIFY(frame);
        QCOMPARE(openPanes(*frame),
                 QList<int>({PaneSearchResults, PaneMaterials, PaneKnowledgeBase}));
        QVERIFY(bar(*frame, "WEB浏览工具条")->isHidden());
        QVERIFY(!bar(*frame, "标准工具条")->isHidden());

        // "Yes" closes the window for a restart.
        m_prompter.answerNext(Prompter::Answer::Yes);
        QVERIFY(frame->commands().trigger(ClassicLayout5));
        QVERIFY(!frame->isVisible());
        QVERIFY(frame->restartAtExit());
    }

    void eachClassicLayoutIsItsOwn() {
        QList<QByteArray> states;
        for (int n = 1; n <= 5; ++n) {
            const std::optional<LayoutFile::Contents> file =
                LayoutFile::read(QDir(TestHome::shippedFolder())
                                     .filePath(QString("ResourceConfig/ClassicType%1.xml").arg(n)));
            QVERIFY(file && file->normal && file->fullScreen);
            QVERIFY(!states.contains(file->normal->dockingPane));
            states << file->normal->dockingPane;
        }
        // Shipped but lost: said, and nothing is copied.
        auto frame = start(m_home->path());
        QVERIFY(frame);
        QVERIFY(frame->commands().trigger(ClassicLayout1 + 2));
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown[0].caption, QString("错误"));
        QCOMPARE(m_prompter.shown[0].text, QString("经典窗口布局3号文件丢失,设置失败!"));
        QVERIFY(!QFile::exists(layoutFile()));
    }

    void lookIsCheckedAndRemembered() {
        {
            auto frame = start();
            QVERIFY(frame);
            // Nothing chosen yet: the platform's own style, the gradient bars.
            QVERIFY(frame->commands().action(SkinSystem)->isChecked());
            QVERIFY(frame->commands().action(PaintTheme2005)->isChecked());
            QVERIFY(frame->commands().trigger(SkinVistaBlue));
            QVERIFY(frame->commands().trigger(PaintTheme2002));
            QVERIFY(!frame->commands().action(SkinSystem)->isChecked());
            QVERIFY(!frame->commands().action(PaintTheme2005)->isChecked());
            QCOMPARE(QApplication::style()->name(), QString("fusion"));
        }
        auto frame = start();
        QVERIFY(frame->commands().action(SkinVistaBlue)->isChecked());
        QVERIFY(frame->commands().action(PaintTheme2002)->isChecked());
        QVERIFY(frame->commands().trigger(SkinSystem));
    }

    // What a user can do in a window with no base and no document open.
    void commandsEnabledFromTheWindowState() {
        auto frame = start();
        QVERIFY(frame);
        CommandRegistry& c = frame->commands();
        const QList<int> enabled{FullScreen,        Help,           Customize,    ClassicLayout1,
                                 SkinVistaBlue,     PaintTheme2002, NewBlankBase, SystemSettings,
                                 PaneKnowledgeBase, TaskPanel};
        const QList<int> disabled{Save,          SaveAll,     CloseActive,    CloseAllButActive,
                                  CloseAllPages, MoreWindows, ExportBaseTree, WebBack};
        for (int id : enabled)
            QVERIFY2(c.action(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : disabled)
            QVERIFY2(!c.action(id)->isEnabled(), qPrintable(QString::number(id)));

        // Help opens the shipped help page in a web window.
        QVERIFY(c.trigger(Help));
        DocumentWindow* help = frame->documents().activeDocument();
        QVERIFY(help && help->kind() == DocumentWindow::Kind::Web);
        for (int id : {CloseActive, CloseAllPages, MoreWindows})
            QVERIFY2(c.action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(!c.action(Save)->isEnabled()); // a web page has nothing to save
    }
};

QTEST_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
