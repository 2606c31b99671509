// The window's arrangement: the layout file read at start and written at
// exit, full screen, the classic layouts and the task panel.

#include "CMainFrame.h"

#include "DocumentArea.h"
#include "Prompter.h"
#include "WindowArrangement.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/LayoutFile.h"
#include "config/SafeFileWriter.h"
#include "dialogs/CCustomizeSheet.h"
#include "documents/CWindowListDlg.h"
#include "panes/AutoHideDocks.h"
#include "panes/CTaskPanel.h"

#include <QAction>
#include <QDataStream>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QToolBar>

namespace {

// Heads the panes' part of a layout: the window's own state, then the
// auto-hidden panes.
constexpr quint32 kPanesMagic = 0x4b535031; // "KSP1"

} // namespace

void CMainFrame::createTaskPanel() {
    m_taskPanel = new CTaskPanel(*m_commands);
    m_taskDock = new QDockWidget(QStringLiteral("任务面板"), this);
    m_taskDock->setObjectName(QStringLiteral("taskPanel"));
    m_taskDock->setWidget(m_taskPanel);
    addDockWidget(Qt::LeftDockWidgetArea, m_taskDock);
    tabifyDockWidget(m_panes.value(CommandIds::PaneKnowledgeBase), m_taskDock);
    m_commands->define(CommandIds::TaskPanel, QStringLiteral("任务面板"));
    m_commands->setHandler(CommandIds::TaskPanel, [this] {
        m_taskDock->show();
        m_taskDock->raise();
    });
}

void CMainFrame::createAutoHide() {
    m_autoHide = new AutoHideDocks(this);
    for (QDockWidget* dock : findChildren<QDockWidget*>())
        m_autoHide->manage(dock);
}

void CMainFrame::createLayoutCommands() {
    using namespace CommandIds;
    m_commands->define(Customize, QStringLiteral("自定义..."));
    m_commands->setHandler(Customize, [this] {
        CCustomizeSheet sheet(this, *m_commands, m_barOptions, m_prompter, this);
        sheet.exec();
    });
    m_commands->define(AutoHideAllPanes, QStringLiteral("自动隐藏所有窗口"));
    m_commands->setHandler(AutoHideAllPanes, [this] { m_autoHide->autoHideAll(); });
    m_commands->define(MoreWindows, QStringLiteral("更多窗口..."));
    m_commands->setHandler(
        MoreWindows, [this] { CWindowListDlg(m_documents, this).exec(); },
        [this] { return !m_documents->subWindowList().isEmpty(); });
    QAction* fullScreen = m_commands->define(FullScreen, QStringLiteral("全屏"),
                                             QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Return));
    fullScreen->setCheckable(true);
    m_commands->setHandler(FullScreen, [this] { toggleFullScreen(); });
    for (int n = 1; n <= 5; ++n) {
        static const char* const names[] = {"类型1简单明了型", "类型2综合性", "类型3综合性",
                                            "类型4综合性", "类型5网页浏览型"};
        const int id = ClassicLayout1 + n - 1;
        m_commands->define(id, QString::fromUtf8(names[n - 1]));
        m_commands->setHandler(id, [this, n] { applyClassicLayout(n); });
    }
}

WindowLayout CMainFrame::SaveLayout() const {
    WindowLayout layout;
    layout.commandBars = WindowArrangement::captureBars(*this);
    layout.menuBarVisible = !menuBar()->isHidden();
    layout.shortcuts = m_commands->saveShortcuts();
    layout.options = m_barOptions.save();
    QDataStream panes(&layout.dockingPane, QIODevice::WriteOnly);
    panes << kPanesMagic << saveState() << m_autoHide->saveState();
    return layout;
}

bool CMainFrame::LoadLayout(const WindowLayout& layout) {
    if (layout.commandBars) {
        WindowArrangement::applyBars(*this, *m_commands, *layout.commandBars);
        menuBar()->setVisible(layout.menuBarVisible);
    }
    m_commands->restoreShortcuts(layout.shortcuts); // a line it cannot read keeps its keys
    m_barOptions = BarOptions::restore(layout.options);
    m_barOptions.apply(this, *m_commands);
    if (layout.dockingPane.isEmpty())
        return true;
    QDataStream panes(layout.dockingPane);
    quint32 magic = 0;
    QByteArray windowState;
    QByteArray autoHidden;
    panes >> magic >> windowState >> autoHidden;
    if (panes.status() != QDataStream::Ok || magic != kPanesMagic || !restoreState(windowState))
        return false;
    // Qt keeps an auto-hidden pane as a closed one; the tabs come back after.
    return m_autoHide->restoreState(autoHidden);
}

bool CMainFrame::restoreLayoutAtStart() {
    const std::optional<LayoutFile::Contents> file =
        LayoutFile::read(m_workspace.paths().layoutFile());
    if (file && file->fullScreen && file->taskPanel)
        m_taskPanel->setGroups(*file->taskPanel);
    else
        m_taskPanel->reset();
    m_barOptions.apply(this, *m_commands); // the tips name the keys from the start
    if (!file)
        return false;
    m_keptFullScreen = file->fullScreen;
    if (!file->normal)
        return false;
    if (!LoadLayout(*file->normal)) {
        m_prompter.notice(QStringLiteral("系统启动界面设置异常,请启动后重新布置界面!"));
        m_taskPanel->reset();
        return false;
    }
    return true;
}

void CMainFrame::saveLayoutAtExit() {
    // The window is hidden by now: only the arrangement goes back to normal.
    if (m_fullScreen)
        swapArrangement();
    if (m_layoutSaveForbidden)
        return;
    // A layout that cannot be written costs the user only the arrangement;
    // the program still closes.
    LayoutFile::write(
        m_workspace.paths().layoutFile(),
        {m_taskPanel->groups(), SaveLayout(), m_keptFullScreen.value_or(WindowLayout{})});
}

void CMainFrame::swapArrangement() {
    const WindowLayout leaving = SaveLayout();
    const bool entering = !m_fullScreen;
    const bool restored = m_keptFullScreen && (!entering || m_keptFullScreen->commandBars) &&
                          LoadLayout(*m_keptFullScreen);
    // Full screen without an arrangement of its own: the documents alone,
    // with the bar that leads back.
    if (entering && !restored) {
        for (QDockWidget* dock : findChildren<QDockWidget*>()) {
            m_autoHide->setAutoHide(dock, false);
            dock->close();
        }
        if (QToolBar* bar = findChild<QToolBar*>(QStringLiteral("全屏工具条")))
            bar->show();
    }
    m_keptFullScreen = leaving;
    m_fullScreen = entering;
    m_commands->action(CommandIds::FullScreen)->setChecked(m_fullScreen);
}

void CMainFrame::toggleFullScreen() {
    if (!m_fullScreen) {
        m_normalGeometry = geometry();
        m_normalState = windowState();
        swapArrangement();
        showFullScreen();
    } else {
        swapArrangement();
        setWindowState(m_normalState);
        if (!(m_normalState & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            setGeometry(m_normalGeometry);
    }
}

void CMainFrame::applyClassicLayout(int number) {
    const QString source =
        m_workspace.paths().shipped(QStringLiteral("ResourceConfig/ClassicType%1.xml").arg(number));
    if (!QFileInfo::exists(source)) {
        m_prompter.error(QStringLiteral("经典窗口布局%1号文件丢失,设置失败!").arg(number));
        return;
    }
    QFile file(source);
    QString why;
    if (!file.open(QIODevice::ReadOnly) ||
        !SafeFileWriter::write(m_workspace.paths().layoutFile(), file.readAll(), &why)) {
        m_prompter.error(QStringLiteral("经典窗口布局%1号文件无法复制,设置失败!%2")
                             .arg(number)
                             .arg(why.isEmpty() ? file.errorString() : why));
        return;
    }
    m_layoutSaveForbidden = true;
    if (m_prompter.message(QStringLiteral("您是否要需要重新启动程序使得布局更换立刻生效?"),
                           QStringLiteral("提示"), Prompter::Icon::Question,
                           Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    m_restartAtExit = true;
    if (!close())
        m_restartAtExit = false; // a document kept the program open
}
