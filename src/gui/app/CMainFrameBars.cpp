// The main window's commands, menus and toolbars.

#include "CMainFrame.h"

#include "DescriptTypeSelector.h"
#include "DocumentArea.h"
#include "QueryBox.h"
#include "commands/CommandIcons.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/Profile.h"
#include "dialogs/CBaseFromFileDlg.h"
#include "dialogs/CExportTreeDlg.h"
#include "dialogs/CNewBaseDlg.h"
#include "dialogs/CSystemSettingSheet.h"
#include "documents/DocumentCommands.h"
#include "documents/DocumentFactory.h"
#include "documents/DocumentWindow.h"
#include "documents/SyntaxSchemeEditing.h"
#include "panes/KnowledgeBaseSelectorBox.h"

#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

void CMainFrame::createCommands() {
    using namespace CommandIds;
    auto hasDocument = [this] { return m_documents->activeDocument() != nullptr; };

    m_commands->define(Save, QStringLiteral("保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S));
    // A web window has nothing to save; there Ctrl+S is its own "另存为".
    m_commands->setHandler(
        Save, [this] { m_documents->activeDocument()->save(); },
        [this] {
            const DocumentWindow* document = m_documents->activeDocument();
            return document && document->kind() != DocumentWindow::Kind::Web;
        });
    m_commands->define(SaveAll, QStringLiteral("保存全部"));
    m_commands->setHandler(
        SaveAll, [this] { m_documents->saveAll(); }, hasDocument);
    m_commands->define(NewBlankBase, QStringLiteral("创建空白本地知识库"));
    m_commands->setHandler(NewBlankBase, [this] {
        CNewBaseDlg dialog(m_workspace, this);
        if (dialog.exec() == QDialog::Accepted)
            m_baseSelector->refresh();
    });
    m_commands->define(NewBaseFromFile, QStringLiteral("根据知识库文件创建本地知识库"));
    m_commands->setHandler(NewBaseFromFile, [this] {
        CBaseFromFileDlg dialog(m_workspace, this);
        if (dialog.exec() == QDialog::Accepted)
            m_baseSelector->refresh();
    });
    m_commands->define(ExportBaseTree, QStringLiteral("导出当前本地知识库树目录"));
    m_commands->setHandler(
        ExportBaseTree, [this] { CExportTreeDlg::run(m_workspace, this); },
        [this] { return CExportTreeDlg::canExport(m_workspace); });
    m_commands->define(SystemSettings, QStringLiteral("系统设置"));
    m_commands->setHandler(SystemSettings, [this] {
        CSystemSettingSheet sheet(m_workspace, m_profile, this);
        connect(&sheet, &CSystemSettingSheet::baseSwitched, this, &CMainFrame::applyBaseSwitch);
        connect(&sheet, &CSystemSettingSheet::baseDeleted, this, &CMainFrame::forgetBase);
        connect(&sheet, &CSystemSettingSheet::typesChanged, this, [this] { fillTypeSelector(); });
        connect(&sheet, &CSystemSettingSheet::closed, this, [this] {
            fillTypeSelector(); // the sheet has saved the configuration
            m_baseSelector->refresh();
            applySearchPreferences();
            m_commands->updateEnabled();
        });
        sheet.exec();
    });
    m_commands->define(Exit, QStringLiteral("退出(&X)"));
    m_commands->setHandler(Exit, [this] { close(); });

    const struct {
        int id;
        const char* text;
        void (DocumentArea::*run)();
    } windowCommands[] = {
        {CloseActive, "关闭当前页", &DocumentArea::closeActive},
        {CloseAllButActive, "关闭全部，保留当前页", &DocumentArea::closeAllButActive},
        {CloseOtherKinds, "保留当前类型页，关闭其它类型页", &DocumentArea::closeOtherKinds},
        {CloseActiveKind, "关闭当前类型页，保留其它类型页", &DocumentArea::closeActiveKind},
        {CloseWebWindows, "非知识库网页窗口全部关闭", &DocumentArea::closeWebWindows},
        {CloseNonWebWindows, "非网页窗口全部关闭", &DocumentArea::closeNonWebWindows},
        {CloseAllPages, "关闭所有页", &DocumentArea::closeAll},
    };
    for (const auto& c : windowCommands) {
        m_commands->define(c.id, QString::fromUtf8(c.text));
        m_commands->setHandler(
            c.id, [this, run = c.run] { (m_documents->*run)(); }, hasDocument);
    }
    connect(m_documents, &QMdiArea::subWindowActivated, m_commands,
            &CommandRegistry::updateEnabled);
    connect(m_documents, &QMdiArea::subWindowActivated, this, &CMainFrame::showRowCol);

    // The editors attach the keys of their commands when they are built, so
    // the commands exist before any document does.
    DocumentCommands::install(*m_commands, [this] { return m_documents->activeDocument(); });
    m_factory = std::make_unique<DocumentFactory>(
        m_workspace.paths().shipped(QStringLiteral("EditConfig/SyntaxEdit.ini")), *m_commands,
        m_prompter);
    SyntaxSchemeEditing::install(*m_commands, m_workspace.paths(), *m_factory, m_prompter,
                                 [this](const QString& path) { openFileAt(path, 0); });
}

void CMainFrame::createMenus() {
    using namespace CommandIds;
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(m_commands->action(Save));
    file->addAction(m_commands->action(SaveAll));
    file->addSeparator();
    file->addAction(m_commands->action(Print));
    file->addAction(m_commands->action(PrintPreview));
    file->addSeparator();
    file->addAction(m_commands->action(Exit));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    for (int id : {Find, Replace, FindWord, GoToLine})
        edit->addAction(m_commands->action(id));
    edit->addSeparator();
    for (int id : {ToggleBookmark, NextBookmark, PreviousBookmark, ToggleLineMarker})
        edit->addAction(m_commands->action(id));
    edit->addSeparator();
    for (int id : {ShowWhiteSpace, FoldAll, UnfoldAll, Tabify, Untabify, UpperCase, LowerCase})
        edit->addAction(m_commands->action(id));
    edit->addSeparator();
    edit->addAction(m_commands->action(EditSyntaxScheme));

    QMenu* view = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    for (auto it = m_panes.cbegin(); it != m_panes.cend(); ++it) // in the order of their ids
        view->addAction(m_commands->action(it.key()));
    view->addAction(m_commands->action(TaskPanel));
    view->addSeparator();
    view->addAction(m_commands->action(FullScreen));
    view->addAction(m_commands->action(AutoHideAllPanes));
    view->addAction(m_commands->action(MoreWindows));
    view->addAction(m_commands->action(Customize));
    view->addSeparator();
    QMenu* skins = view->addMenu(QStringLiteral("界面风格"));
    for (int id = SkinVistaBlue; id <= SkinSystem; ++id)
        skins->addAction(m_commands->action(id));
    QMenu* paintThemes = view->addMenu(QStringLiteral("界面主题"));
    for (int id : {PaintTheme2002, PaintTheme2005})
        paintThemes->addAction(m_commands->action(id));
    QMenu* classics = view->addMenu(QStringLiteral("经典窗口布局"));
    for (int id = ClassicLayout1; id <= ClassicLayout5; ++id)
        classics->addAction(m_commands->action(id));

    QMenu* base = menuBar()->addMenu(QStringLiteral("知识库(&K)"));
    for (int id : {AddRootItem, AddChildItem, RenameItem, DeleteItem})
        base->addAction(m_commands->action(id));
    base->addSeparator();
    for (int id : {MoveItemUp, MoveItemDown, CutItem, CutItemMaterials, PasteItem})
        base->addAction(m_commands->action(id));
    base->addSeparator();
    for (int id : {ShowItemMaterials, SearchFromItem})
        base->addAction(m_commands->action(id));
    base->addSeparator();
    for (int id : {NewMaterial, OpenMaterial, AddDescriptionFile, RemoveDescriptionFile,
                   DockMaterial, CutMaterial, DeleteMaterial})
        base->addAction(m_commands->action(id));
    base->addSeparator();
    base->addAction(m_commands->action(KbSearch));
    base->addAction(m_commands->action(StopKbSearch));
    base->addSeparator();
    base->addAction(m_commands->action(RestoreRecycled));
    base->addAction(m_commands->action(ClearRecycled));
    base->addSeparator();
    for (int id : {NewBlankBase, NewBaseFromFile, ExportBaseTree, SystemSettings})
        base->addAction(m_commands->action(id));

    createWebMenus();

    QMenu* window = menuBar()->addMenu(QStringLiteral("窗口(&W)"));
    for (int id : {CloseActive, CloseAllButActive, CloseOtherKinds, CloseActiveKind})
        window->addAction(m_commands->action(id));
    window->addSeparator();
    window->addAction(m_commands->action(CloseWebWindows));
    window->addAction(m_commands->action(CloseNonWebWindows));
    window->addAction(m_commands->action(CloseAllPages));

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    help->addAction(m_commands->action(Help));
}

void CMainFrame::createToolBars() {
    using namespace CommandIds;
    QToolBar* standard = addToolBar(QStringLiteral("标准工具条"));
    standard->setObjectName(QStringLiteral("标准工具条"));
    standard->addAction(m_commands->action(Save));
    standard->addAction(m_commands->action(SaveAll));
    standard->addSeparator();
    standard->addAction(m_commands->action(NewMaterial));
    standard->addSeparator();
    auto* typeCaption = new QLabel(QStringLiteral(" 描述文件类型: "), standard);
    typeCaption->setObjectName(QStringLiteral("descriptTypeCaption"));
    standard->addWidget(typeCaption);
    m_typeSelector = new DescriptTypeSelector(standard);
    standard->addWidget(m_typeSelector);
    connect(m_typeSelector, &DescriptTypeSelector::addTypeRequested, this,
            &CMainFrame::addTypeFromToolbar);
    connect(m_typeSelector, &DescriptTypeSelector::typeChosen, this, [this](const QString& type) {
        m_profile.setValue(QStringLiteral("Settings"), QStringLiteral("LastDescriptType"), type);
    });

    QToolBar* search = addToolBar(QStringLiteral("搜索工具条"));
    search->setObjectName(QStringLiteral("搜索工具条"));
    auto* queryCaption = new QLabel(QStringLiteral(" 查找: "), search);
    queryCaption->setObjectName(QStringLiteral("queryCaption"));
    search->addWidget(queryCaption);
    m_queryBox = new QueryBox(m_queryHistory, search);
    search->addWidget(m_queryBox);
    connect(m_queryBox, &QueryBox::searchRequested, m_commands->action(KbSearch),
            &QAction::trigger);
    search->addAction(m_commands->action(KbSearch));
    search->addAction(m_commands->action(StopKbSearch));

    QToolBar* windows = addToolBar(QStringLiteral("窗口工具条"));
    windows->setObjectName(QStringLiteral("窗口工具条"));
    windows->addAction(m_commands->action(CloseActive));
    windows->addAction(m_commands->action(CloseAllPages));
    windows->addSeparator();
    windows->addAction(m_commands->action(FullScreen));
    createWebToolBars();

    // Shown in full screen, where it is the way back.
    QToolBar* fullScreen = addToolBar(QStringLiteral("全屏工具条"));
    fullScreen->setObjectName(QStringLiteral("全屏工具条"));
    fullScreen->addAction(m_commands->action(FullScreen));
    fullScreen->hide();

    QToolBar* themes = addToolBar(QStringLiteral("主题工具条"));
    themes->setObjectName(QStringLiteral("主题工具条"));
    for (int id : {PaintTheme2002, PaintTheme2005})
        themes->addAction(m_commands->action(id));
    createAutoHide();
    CommandIcons::install(*m_commands);
}
