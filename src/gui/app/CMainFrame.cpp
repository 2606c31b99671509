#include "CMainFrame.h"

#include "DescriptTypeSelector.h"
#include "DocumentArea.h"
#include "FirstStart.h"
#include "LongOperation.h"
#include "MaterialWindows.h"
#include "OpenBaseFollowers.h"
#include "Prompter.h"
#include "WindowTheme.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/Profile.h"
#include "dialogs/CNewMaterialDlg.h"
#include "documents/CKeepsakeView.h"
#include "documents/CNoResourceShowView.h"
#include "documents/DocumentFactory.h"
#include "materials/MaterialPanes.h"
#include "panes/AutoHideDocks.h"
#include "panes/CDockStationPane.h"
#include "panes/CFileBrowserPane.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CMaterialPane.h"
#include "panes/COpenMaterialsPane.h"
#include "panes/CPropertiesPane.h"
#include "panes/CRecycleBinPane.h"
#include "panes/KnowledgeBaseSelectorBox.h"
#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"
#include "store/MaterialFolder.h"
#include "store/RecycleBinModel.h"
#include "store/TreeService.h"
#include "web/UrlGroups.h"

#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

struct PaneSpec {
    int id;
    const char* title;
    Qt::DockWidgetArea area;
};

// Where each pane sits before the user moves it: the tree and its companions
// on the left, the lists below the documents, the properties on the right.
const PaneSpec kPanes[] = {
    {CommandIds::PaneDockStation, "停靠站", Qt::LeftDockWidgetArea},
    {CommandIds::PaneNavigation, "网站导航", Qt::LeftDockWidgetArea},
    {CommandIds::PaneSearchResults, "查询显示窗口", Qt::BottomDockWidgetArea},
    {CommandIds::PaneMaterials, "资料窗口", Qt::BottomDockWidgetArea},
    {CommandIds::PaneKnowledgeBase, "本地知识库窗口", Qt::LeftDockWidgetArea},
    {CommandIds::PaneRecycleBin, "本地知识库回收站窗口", Qt::BottomDockWidgetArea},
    {CommandIds::PaneProperties, "资料属性窗口", Qt::RightDockWidgetArea},
    {CommandIds::PaneOpenMaterials, "当前打开资料窗口", Qt::LeftDockWidgetArea},
    {CommandIds::PaneFileBrowser, "文件浏览器窗口", Qt::RightDockWidgetArea},
};

} // namespace

CMainFrame::CMainFrame(const ProgramPaths& paths, Prompter& prompter, Profile& profile,
                       QWidget* parent)
    : QMainWindow(parent), m_workspace(paths, prompter), m_prompter(prompter), m_profile(profile),
      m_commands(new CommandRegistry(this)), m_documents(new DocumentArea(this)) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QStringLiteral("Keepsake"));
    setCentralWidget(m_documents);
    m_documents->setBackground(QColor(0xd4, 0xd8, 0xde));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks |
                   QMainWindow::AllowNestedDocks);
    resize(1280, 800);
}

CMainFrame::~CMainFrame() {
    // The document windows tell the open-materials list when they go; they
    // must go while that list and the window map still exist. The list then
    // has the commands ask the area for its active document, so the windows
    // go first, while the area is still whole.
    for (DocumentWindow* document : m_documents->documentsFromActive())
        delete document;
    delete m_documents;
}

bool CMainFrame::OnCreate(const FirstRunHandler& firstRun) {
    bool firstStart = false;
    if (!m_workspace.loadConfiguration([&] { return firstStart = firstRun(); }))
        return false;

    createCommands();
    createLayoutCommands();
    createThemeCommands();
    createHelp();
    createModels();
    createMaterialWindows();
    createPanes();
    createTaskPanel();
    createCapture();
    createWeb();
    createUrlGroups();
    createMenus();
    createToolBars();
    createStatusBar();
    createContentIndex();
    const bool arranged = restoreLayoutAtStart();
    // The one way the window learns of a base opened or closed, whoever
    // opened it (start-up, the selector, the settings sheet).
    connect(&m_workspace, &Workspace::baseOpened, this, &CMainFrame::showBaseState);
    connect(&m_workspace, &Workspace::baseClosed, this, &CMainFrame::showBaseState);
    // The open base's description types and the registered bases may have
    // changed with the file.
    connect(&m_workspace, &Workspace::configurationChanged, this, [this] {
        fillTypeSelector();
        m_baseSelector->refresh();
    });

    m_workspace.OpenStartBase();
    m_materials->service().loadDockStation();

    // Without a layout of the user's, the panes come up in the order the
    // user expects to find them filled; a restored layout keeps the panes
    // the user closed closed, all but the knowledge base's own.
    if (!arranged) {
        for (int id :
             {CommandIds::PaneNavigation, CommandIds::PaneKnowledgeBase, CommandIds::PaneRecycleBin,
              CommandIds::PaneSearchResults, CommandIds::PaneFileBrowser,
              CommandIds::PaneOpenMaterials, CommandIds::PaneDockStation, CommandIds::PaneMaterials,
              CommandIds::PaneProperties})
            m_panes.value(id)->show();
        showPane(CommandIds::PaneMaterials);
        showPane(CommandIds::PaneOpenMaterials);
    }
    if (!m_autoHide->isAutoHidden(m_panes.value(CommandIds::PaneKnowledgeBase)))
        showPane(CommandIds::PaneKnowledgeBase);

    showBaseState();
    if (firstStart && m_workspace.currentBase().IsOpen())
        FirstStart::ShowWelcome(m_treePane->view(),
                                {[this](const QString& code) -> std::optional<MaterialRecord> {
                                     showMaterialsOf(code);
                                     MaterialListModel& list = m_materials->list();
                                     if (list.rowCount() == 0)
                                         return std::nullopt;
                                     return list.materialAt(0);
                                 },
                                 [this](const MaterialRecord& m) { return openMaterial(m); }});
    return true;
}

void CMainFrame::createModels() {
    const CurrentKnowledgeBase& base = m_workspace.currentBase();
    m_treeService =
        new TreeService(m_workspace.store(), base, m_prompter, m_materialClipboard, this);
    m_tree = new CategoryTreeModel(*m_treeService, this);
    m_recycleBin = new RecycleBinModel(m_workspace.store(), base, m_prompter, *m_treeService, this);

    m_materials = new MaterialPanes(m_workspace.store(), base, m_prompter, m_workspace.paths(),
                                    m_materialClipboard, this);
    m_materials->connectTree(*m_treeService);
    m_materials->connectRecycleBin(*m_recycleBin);
    OpenBaseFollowers::follow(m_workspace, *m_tree, *m_recycleBin, m_materials);
    connect(&m_materials->list(), &MaterialListModel::statusTextChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
}

void CMainFrame::showBaseState() {
    const CurrentKnowledgeBase& base = m_workspace.currentBase();
    setWindowTitle(base.IsOpen() ? QStringLiteral("Keepsake - %1").arg(base.Name)
                                 : QStringLiteral("Keepsake"));
    m_treePane->view()->setEnabled(base.IsOpen());
    fillTypeSelector();
    m_baseSelector->refresh();
    showWritability();
}

void CMainFrame::showWritability() {
    const CurrentKnowledgeBase& base = m_workspace.currentBase();
    const bool readOnly = base.IsOpen() && m_workspace.database().IsReadOnly();
    m_commands->setBlocked(readOnly ? QSet<int>(std::begin(CommandIds::kBaseWriting),
                                                std::end(CommandIds::kBaseWriting))
                                    : QSet<int>());
    m_readOnlyNotice->setText(
        readOnly ? QStringLiteral("知识库 '%1' 位于只读位置，只能浏览和搜索。").arg(base.Name)
                 : QString());
    m_readOnlyNotice->setVisible(readOnly);
}

void CMainFrame::switchBase(const QString& entry) {
    applyBaseSwitch(m_workspace.SwitchBase(entry));
}

void CMainFrame::applyBaseSwitch(const BaseSwitch&) {
    // The panes followed the workspace already; the selector goes back to
    // the chosen entry after a Cancel.
    m_baseSelector->refresh();
}

void CMainFrame::forgetBase(int baseId, bool wasOpen) {
    m_materials->forgetBase(baseId);
    if (wasOpen)
        m_tree->clear(); // its connection stays open
    m_baseSelector->refresh();
}

void CMainFrame::createPanes() {
    for (const PaneSpec& spec : kPanes) {
        auto* dock = new QDockWidget(QString::fromUtf8(spec.title), this);
        dock->setObjectName(QStringLiteral("pane%1").arg(spec.id));
        // A later feature fills each pane; until then it stays empty.
        auto* content = new QWidget(dock);
        content->setObjectName(QStringLiteral("paneContent%1").arg(spec.id));
        dock->setWidget(content);
        dock->setMinimumWidth(120);
        addDockWidget(spec.area, dock);
        m_panes.insert(spec.id, dock);

        QAction* show = m_commands->define(spec.id, dock->windowTitle());
        m_commands->setHandler(spec.id, [this, id = spec.id] { showPane(id); });
        Q_UNUSED(show);
    }
    m_treePane = new CKnowledgeTreePane(*m_tree, *m_treeService, m_prompter, *m_commands);
    m_baseSelector = new KnowledgeBaseSelectorBox(m_workspace.baseSelector(), m_treePane);
    // A base another process registered shows without a restart.
    m_baseSelector->setBeforePopup([this] { m_workspace.reloadConfigurationIfChanged(); });
    m_treePane->headerLayout()->addWidget(m_baseSelector);
    connect(m_baseSelector, &KnowledgeBaseSelectorBox::entryPicked, this, &CMainFrame::switchBase);
    setPaneContent(CommandIds::PaneKnowledgeBase, m_treePane);
    connect(m_treePane, &CKnowledgeTreePane::showMaterialsRequested, this,
            &CMainFrame::showMaterialsOf);
    m_materialPane = new CMaterialPane(*m_materials, *m_commands, m_profile, m_prompter,
                                       [this] { return m_typeSelector->currentText(); });
    setPaneContent(CommandIds::PaneMaterials, m_materialPane);
    connect(m_materialPane, &CMaterialPane::openRequested, this, &CMainFrame::openMaterial);
    connect(m_materialPane, &CMaterialPane::newMaterialRequested, this, &CMainFrame::newMaterial);
    m_materialPane->setWindowCloser(
        [this](const MaterialRecord& m) { return m_materialWindows->close(m); });
    connect(m_materialPane, &CMaterialPane::descriptionChanged, this,
            &CMainFrame::showChangedDescription);
    connect(m_materialPane, &CMaterialPane::materialSelected, this,
            [this](const MaterialRecord& m) { m_materials->properties().show(m); });

    m_propertiesPane = new CPropertiesPane(m_materials->properties(), *m_commands);
    setPaneContent(CommandIds::PaneProperties, m_propertiesPane);
    m_dockPane = new CDockStationPane(*m_materials, *m_commands);
    setPaneContent(CommandIds::PaneDockStation, m_dockPane);
    connect(m_dockPane, &CDockStationPane::openRequested, this, &CMainFrame::openDocked);
    m_openPane = new COpenMaterialsPane(*m_materials, *m_commands);
    setPaneContent(CommandIds::PaneOpenMaterials, m_openPane);
    // Focus brings an open material's window to the front.
    connect(m_openPane, &COpenMaterialsPane::focusRequested, this, &CMainFrame::openMaterial);
    connect(m_openPane, &COpenMaterialsPane::closeRequested, m_materialWindows,
            &MaterialWindows::close);
    m_recycleBinPane = new CRecycleBinPane(*m_recycleBin, *m_commands);
    setPaneContent(CommandIds::PaneRecycleBin, m_recycleBinPane);
    createFileBrowser();
    createSearch();

    // Split first, then tabify: a pane split off a tab group would join it.
    const auto p = [this](int id) { return m_panes[id]; };
    using namespace CommandIds;
    splitDockWidget(p(PaneKnowledgeBase), p(PaneOpenMaterials), Qt::Vertical);
    splitDockWidget(p(PaneProperties), p(PaneFileBrowser), Qt::Vertical);
    tabifyDockWidget(p(PaneKnowledgeBase), p(PaneDockStation));
    tabifyDockWidget(p(PaneOpenMaterials), p(PaneNavigation));
    tabifyDockWidget(p(PaneMaterials), p(PaneSearchResults));
    tabifyDockWidget(p(PaneMaterials), p(PaneRecycleBin));
    resizeDocks({p(PaneKnowledgeBase), p(PaneProperties)}, {300, 280}, Qt::Horizontal);
    resizeDocks({p(PaneKnowledgeBase), p(PaneOpenMaterials), p(PaneProperties), p(PaneFileBrowser)},
                {420, 200, 320, 300}, Qt::Vertical);
    resizeDocks({p(PaneMaterials)}, {240}, Qt::Vertical);
}

void CMainFrame::createFileBrowser() {
    m_fileBrowser = new CFileBrowserPane(m_prompter, *m_commands);
    setPaneContent(CommandIds::PaneFileBrowser, m_fileBrowser);
    connect(m_fileBrowser, &CFileBrowserPane::openFileRequested, this,
            [this](const QString& path) { openFileAt(path, 0); });
    connect(m_fileBrowser, &CFileBrowserPane::pasteProgressed, this,
            [this](int percent) { m_progress->setValue(percent); });
    connect(m_fileBrowser, &CFileBrowserPane::pasteFinished, this, [this](const QString& summary) {
        m_progress->setValue(0);
        statusBar()->showMessage(summary);
    });
    // The pane shows the folder of the material whose window is in front;
    // a window that shows no material leaves it where the user left it.
    connect(m_documents, &QMdiArea::subWindowActivated, this,
            &CMainFrame::showActiveMaterialFolder);
}

void CMainFrame::showActiveMaterialFolder() {
    if (const std::optional<MaterialRecord> material = m_materialWindows->activeNonWebMaterial())
        m_fileBrowser->ShowFolder(
            MaterialFolder::Resolve(material->FilesRoot, material->MinuItemFilePath));
}

void CMainFrame::setPaneContent(int id, QWidget* content) {
    QDockWidget* dock = m_panes.value(id);
    delete dock->widget();
    dock->setWidget(content);
}

void CMainFrame::showPane(int id) {
    QDockWidget* dock = m_panes.value(id);
    // An auto-hidden pane keeps its place on the edge: it slides out.
    if (dock && m_autoHide && m_autoHide->isAutoHidden(dock)) {
        m_autoHide->slideOut(dock);
        return;
    }
    if (dock) {
        dock->show();
        dock->raise();
    }
}

void CMainFrame::createMaterialWindows() {
    m_materialWindows = new MaterialWindows(
        *m_documents, *m_factory, *m_materials, m_prompter,
        m_workspace.paths().helpFile(QStringLiteral("EmptyDes.htm")),
        [this](DocumentWindow* window) { addDocumentWindow(window); }, this);
}

void CMainFrame::createStatusBar() {
    statusBar()->showMessage(QStringLiteral("就绪"));
    m_progress = new QProgressBar(statusBar());
    m_progress->setObjectName(QStringLiteral("progress38809"));
    m_progress->setFixedWidth(180);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    statusBar()->addPermanentWidget(m_progress);
    // A permanent field, so that passing messages never hide it.
    m_readOnlyNotice = new QLabel(statusBar());
    m_readOnlyNotice->setObjectName(QStringLiteral("readOnlyNotice"));
    m_readOnlyNotice->hide();
    statusBar()->insertPermanentWidget(0, m_readOnlyNotice);
    m_longOperation =
        new LongOperation(*m_commands, *m_progress, *statusBar(), m_workspace.currentBase(), this);
    m_recycleBinPane->setClearRunner(
        [this](const ClearTarget& target) { m_longOperation->startClear(*m_recycleBin, target); });
    m_treeService->setWriteRunner(m_longOperation);
    m_rowCol = new QLabel(statusBar());
    m_rowCol->setObjectName(QStringLiteral("indicator32829"));
    m_rowCol->setMinimumWidth(120);
    statusBar()->insertPermanentWidget(0, m_rowCol);
}

void CMainFrame::fillTypeSelector() {
    m_typeSelector->fill(
        DescriptTypeSelectorItems(m_workspace.config(), m_workspace.currentBase().ID),
        m_profile.textValue(QStringLiteral("Settings"), QStringLiteral("LastDescriptType"),
                            QStringLiteral("*.rtf")));
}

void CMainFrame::addTypeFromToolbar() {
    m_typeSelector->clearChoice();
    // A type added is written, and the written file refills the list.
    AddDescriptTypeFromToolbar(m_workspace.currentBase().ID, m_workspace.configUpdater(),
                               m_prompter);
    m_typeSelector->clearChoice();
}

void CMainFrame::openDocument(const QString& path) {
    addDocumentWindow(documentFor(path));
}

void CMainFrame::addDocumentWindow(DocumentWindow* window) {
    if (auto* text = qobject_cast<CKeepsakeView*>(window)) {
        connect(text, &CKeepsakeView::rowColChanged, this, [this, text](const QString& rowCol) {
            if (m_documents->activeDocument() == text)
                m_rowCol->setText(rowCol);
        });
    }
    m_documents->addDocument(window);
    m_commands->updateEnabled();
}

DocumentWindow* CMainFrame::documentFor(const QString& path) {
    if (DocumentWindow* window = m_factory->open(path))
        return window;
    return new CNoResourceShowView(path);
}

void CMainFrame::showRowCol() {
    auto* text = qobject_cast<CKeepsakeView*>(m_documents->activeDocument());
    m_rowCol->setText(text ? text->rowColText() : QString());
}

void CMainFrame::openDocked(int row, const MaterialRecord& material, const QString& dockTime) {
    DockStationModel& dock = m_materials->dock();
    switch (dock.decideOpen(row, m_materialWindows->isOpen(material))) {
    case DockStationModel::OpenAction::Refused:
        return;
    case DockStationModel::OpenAction::Activate:
        openMaterial(material);
        break;
    case DockStationModel::OpenAction::Open:
        if (!openMaterial(material)) {
            m_materials->service().undockUnopenable(material);
            showPane(CommandIds::PaneDockStation);
            return;
        }
        break;
    }
    m_materials->properties().show(material, dockTime);
}

void CMainFrame::showMaterialsOf(const QString& code) {
    showPane(CommandIds::PaneMaterials);
    m_materials->list().showMaterialsOf(code);
}

CNewMaterialDlg* CMainFrame::showNewMaterialDialog() {
    const QString code = m_treePane->currentCode();
    if (!m_materials->creator().CheckTarget(code))
        return nullptr;
    // One dialog at a time: a second request brings the open one forward.
    if (m_newMaterialDialog) {
        m_newMaterialDialog->raise();
        m_newMaterialDialog->activateWindow();
        return nullptr;
    }
    m_newMaterialDialog = new CNewMaterialDlg(
        *m_materials, code, [this] { return m_typeSelector->currentText(); }, this);
    m_newMaterialDialog->show();
    return m_newMaterialDialog;
}

void CMainFrame::newMaterial() {
    if (CNewMaterialDlg* dialog = showNewMaterialDialog())
        connect(dialog, &CNewMaterialDlg::created, this, &CMainFrame::showNewMaterial);
}

void CMainFrame::showNewMaterial(const MaterialRecord& material, bool open) {
    if (open)
        openMaterial(material);
    m_materials->properties().show(material);
}

bool CMainFrame::openMaterial(const MaterialRecord& material) {
    const bool opened = m_materialWindows->open(material);
    // A new window is known as the material's only once it is in front.
    showActiveMaterialFolder();
    m_commands->updateEnabled();
    return opened;
}

void CMainFrame::showChangedDescription(const MaterialRecord& material) {
    // The web-page window of a material that just gained a description
    // shows what it no longer is; one that refuses to close stays in front.
    if (m_materialWindows->close(material))
        openMaterial(material);
    showPane(CommandIds::PaneMaterials);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_longOperation)
        m_longOperation->waitForEnd(); // what it deletes must not be left half-way
    // A document that cannot be saved, or whose close the user cancels,
    // keeps the program open rather than losing its text.
    if (!m_documents->saveAll()) {
        event->ignore();
        return;
    }
    m_documents->closeWebWindows();
    m_documents->closeNonWebWindows();
    if (!m_documents->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    hide();
    saveLayoutAtExit();
    m_profile.setValue(QStringLiteral("Settings"), QStringLiteral("DefFontSize"), defFontSize());
    m_profile.sync();
    event->accept();
}
