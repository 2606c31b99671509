#pragma once

#include "Workspace.h"
#include "commands/BarOptions.h"
#include "config/WindowLayout.h"
#include "search/QueryHistory.h"
#include "store/MaterialClipboard.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <memory>
#include <optional>

class CaptureCommands;
class CategoryTreeModel;
class CHtmlViewsView;
class CDockStationPane;
class COpenMaterialsPane;
class CPropertiesPane;
class DocumentFactory;
class KnowledgeBaseSelectorBox;
class BaseSwitch;
class QLabel;
class CMaterialPane;
class CNewMaterialDlg;
class DocumentWindow;
class MaterialPanes;
class MaterialWindows;
class PageCapture;
class CKnowledgeTreePane;
class CRecycleBinPane;
class CSearchDialog;
class CSearchItemView;
class CUrlGroupPane;
class CTaskPanel;
class CFileBrowserPane;
class WindowTheme;
class AutoHideDocks;
class SearchControl;
class CommandRegistry;
class RecycleBinModel;
class TreeService;
class UrlGroups;
class UpdateCheck;
class WebPreviewCommands;
class WebWindows;
class DescriptTypeSelector;
class QueryBox;
class DocumentArea;
class ContentIndexService;
class LongOperation;
class Profile;
class Prompter;
class QDockWidget;
class QProgressBar;

// The one top-level window: documents in tabs, nine docking panes around
// them, menus, toolbars and a status bar. It owns the workspace (the
// configuration and the open knowledge base) for the life of the program.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(const ProgramPaths& paths, Prompter& prompter, Profile& profile,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Reads the configuration (running the first-run setup when it asks for
    // it), builds the bars and panes. False ends the program.
    bool OnCreate(const FirstRunHandler& firstRun);

    void openDocument(const QString& path);
    // Opens a material in the viewer of its kind, or brings its window to the
    // front when it is open already.
    bool openMaterial(const MaterialRecord& material);

    Workspace& workspace() { return m_workspace; }
    CommandRegistry& commands() { return *m_commands; }
    DocumentArea& documents() { return *m_documents; }
    QDockWidget* pane(int id) const { return m_panes.value(id); }
    DescriptTypeSelector& typeSelector() { return *m_typeSelector; }
    QProgressBar& progress() { return *m_progress; }
    LongOperation& longOperation() { return *m_longOperation; }
    CategoryTreeModel& categoryTree() { return *m_tree; }
    TreeService& treeService() { return *m_treeService; }
    RecycleBinModel& recycleBin() { return *m_recycleBin; }
    CKnowledgeTreePane& treePane() { return *m_treePane; }
    CRecycleBinPane& recycleBinPane() { return *m_recycleBinPane; }
    MaterialPanes& materials() { return *m_materials; }
    CMaterialPane& materialPane() { return *m_materialPane; }
    // For the web toolbar and menu to show the capture commands.
    CaptureCommands& captureCommands() { return *m_captureCommands; }

    // The browser's text size, 0 the largest to 4 the smallest.
    int defFontSize() const;
    void setDefFontSize(int size);
    WebWindows& web() { return *m_web; }
    WebPreviewCommands& webPreview() { return *m_preview; }
    MaterialWindows& materialWindows() { return *m_materialWindows; }
    CUrlGroupPane& urlPane() { return *m_urlPane; }
    CFileBrowserPane& fileBrowser() { return *m_fileBrowser; }

    // The arrangement of bars and panes, exchanged in the order the layout
    // file keeps it: command bars, keys, bar options, panes. False when the
    // panes' saved state could not be restored.
    WindowLayout SaveLayout() const;
    bool LoadLayout(const WindowLayout& layout);
    bool isFullScreenMode() const { return m_fullScreen; }
    // Set when a classic layout asked for a restart and the window closed.
    bool restartAtExit() const { return m_restartAtExit; }
    CTaskPanel& taskPanel() { return *m_taskPanel; }
    WindowTheme& theme() { return *m_theme; }
    AutoHideDocks& autoHide() { return *m_autoHide; }

    // Starts the day's update check, once the window is up; a notice of a
    // new release opens beside the window when the server has answered.
    void startUpdateCheck();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createModels();
    void createMaterialWindows();
    void createPanes();
    void setPaneContent(int id, QWidget* content);
    // Fills every pane from the open base, or empties them when none is open.
    // Title, tree, type list, selector and writability for the base open now.
    void showBaseState();
    // A base on a read-only medium can be browsed and searched only.
    void showWritability();
    void createCommands();
    void createTaskPanel();
    void createFileBrowser();
    // The file browser shows the folder of the material in front, if any.
    void showActiveMaterialFolder();
    // After the window's own bars, so the auto-hide tabs lie next to the
    // documents.
    void createAutoHide();
    void createLayoutCommands();
    void createThemeCommands();
    void createHelp();
    // True when the layout file gave the bars and panes their places.
    bool restoreLayoutAtStart();
    void saveLayoutAtExit();
    // Between the normal and the full-screen arrangement, keeping the one
    // left for the way back.
    void swapArrangement();
    void toggleFullScreen();
    void applyClassicLayout(int number);
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createWeb();
    void createWebMenus();
    void createWebToolBars();
    // The navigation pane's kept web addresses, opened in the browser.
    void createUrlGroups();
    void showPane(int id);
    void fillTypeSelector();
    void addTypeFromToolbar();
    // The dialog opened now, or none when the item takes no material or a
    // dialog is open already (it comes to the front).
    CNewMaterialDlg* showNewMaterialDialog();
    void newMaterial();
    void showNewMaterial(const MaterialRecord& material, bool open);
    void createCapture();
    void followCurrentMaterial();
    // "将当前网页入知识库": a new material, then the view's page saved into it.
    void captureIntoBase(CHtmlViewsView* view);
    void showMaterialsOf(const QString& code);
    // The window of a file: the editor of its kind, or a stand-in naming it.
    DocumentWindow* documentFor(const QString& path);
    void addDocumentWindow(DocumentWindow* window);
    void showChangedDescription(const MaterialRecord& material);
    void openDocked(int row, const MaterialRecord& material, const QString& dockTime);
    void showRowCol();
    void switchBase(const QString& entry);
    void applyBaseSwitch(const BaseSwitch& change);
    void forgetBase(int baseId, bool wasOpen);
    void createSearch();
    void showSearchDialog(const QString& scopeText);
    // Shows a file of a search result, in the window that shows it already
    // if there is one, and goes to the line when one is given (above 0).
    void openFileAt(const QString& path, int line);
    bool showDocumentHit(const QString& path, int line);
    // The file-search choices of the profile, at start and after the
    // settings sheet.
    void applySearchPreferences();
    void createContentIndex();
    // Keeps the open base's content index when the user wants one.
    void serveContentIndex();

    Workspace m_workspace;
    Prompter& m_prompter;
    Profile& m_profile;
    UpdateCheck* m_updateCheck = nullptr;
    CommandRegistry* m_commands;
    DocumentArea* m_documents;
    DescriptTypeSelector* m_typeSelector = nullptr;
    QueryBox* m_queryBox = nullptr;
    QProgressBar* m_progress = nullptr;
    LongOperation* m_longOperation = nullptr;
    ContentIndexService* m_contentIndex = nullptr;
    QString m_indexServed; // the catalogue and document mode being indexed
    QMap<int, QDockWidget*> m_panes;
    MaterialClipboard m_materialClipboard;
    TreeService* m_treeService = nullptr;
    CategoryTreeModel* m_tree = nullptr;
    RecycleBinModel* m_recycleBin = nullptr;
    CKnowledgeTreePane* m_treePane = nullptr;
    CRecycleBinPane* m_recycleBinPane = nullptr;
    MaterialPanes* m_materials = nullptr;
    std::unique_ptr<DocumentFactory> m_factory;
    CPropertiesPane* m_propertiesPane = nullptr;
    CDockStationPane* m_dockPane = nullptr;
    COpenMaterialsPane* m_openPane = nullptr;
    QLabel* m_rowCol = nullptr;
    QLabel* m_readOnlyNotice = nullptr;
    KnowledgeBaseSelectorBox* m_baseSelector = nullptr;
    CMaterialPane* m_materialPane = nullptr;
    QPointer<CNewMaterialDlg> m_newMaterialDialog;
    MaterialWindows* m_materialWindows = nullptr;
    WebWindows* m_web = nullptr;
    WebPreviewCommands* m_preview = nullptr;
    SearchControl* m_search = nullptr;
    CSearchItemView* m_searchView = nullptr;
    QueryHistory m_queryHistory;
    QPointer<CSearchDialog> m_searchDialog;
    PageCapture* m_capture = nullptr;
    CaptureCommands* m_captureCommands = nullptr;
    std::unique_ptr<UrlGroups> m_urls;
    CUrlGroupPane* m_urlPane = nullptr;
    CTaskPanel* m_taskPanel = nullptr;
    CFileBrowserPane* m_fileBrowser = nullptr;
    AutoHideDocks* m_autoHide = nullptr;
    QDockWidget* m_taskDock = nullptr;
    std::unique_ptr<WindowTheme> m_theme;
    std::optional<WindowLayout> m_keptFullScreen;
    QRect m_normalGeometry;
    Qt::WindowStates m_normalState;
    BarOptions m_barOptions;
    bool m_fullScreen = false;
    bool m_layoutSaveForbidden = false;
    bool m_restartAtExit = false;
};
