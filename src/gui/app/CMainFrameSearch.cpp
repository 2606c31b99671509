// The main window's part in searching: the search dialog, the result pane
// and opening what it lists.

#include "CMainFrame.h"

#include "DocumentArea.h"
#include "QueryBox.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "dialogs/CSearchDialog.h"
#include "documents/CHtmlViewsView.h"
#include "documents/CKeepsakeView.h"
#include "documents/CNoResourceShowView.h"
#include "documents/CRichEditControlView.h"
#include "documents/DocumentFactory.h"
#include "materials/MaterialLookup.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CSearchItemView.h"
#include "search/FileSearchPreferences.h"
#include "search/SearchControl.h"
#include "search/SearchHitPlace.h"
#include "search/SearchScope.h"
#include "search/SearchableText.h"
#include "store/CategoryTreeModel.h"

#include <QFileInfo>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTreeView>

void CMainFrame::createSearch() {
    using namespace CommandIds;
    m_search = new SearchControl(m_prompter, this);
    applySearchPreferences();
    m_searchView = new CSearchItemView(m_workspace.currentBase(), *m_commands, m_prompter);
    setPaneContent(PaneSearchResults, m_searchView);
    connect(m_search, &SearchControl::resultPaneShown, this,
            [this] { showPane(CommandIds::PaneSearchResults); });
    connect(m_search, &SearchControl::tabSelected, m_searchView, &CSearchItemView::selectTab);
    connect(m_search, &SearchControl::resultBaseSet, m_searchView, &CSearchItemView::setResultBase);
    connect(m_search, &SearchControl::kbListCleared, m_searchView, &CSearchItemView::clearKbList);
    connect(m_search, &SearchControl::kbRowsAdded, m_searchView, &CSearchItemView::addKbRows);
    connect(m_search, &SearchControl::fileTreeCleared, m_searchView,
            &CSearchItemView::clearFileTree);
    connect(m_search, &SearchControl::fileRowsAdded, m_searchView, &CSearchItemView::addFileRows);
    connect(m_search, &SearchControl::statusTextChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(m_search, &SearchControl::searchingChanged, m_commands,
            &CommandRegistry::updateEnabled);
    // The search's index keeps a connection to the base's file; a closed
    // base must not be held open by it.
    connect(&m_workspace, &Workspace::baseClosed, m_search,
            [this] { m_search->KbSearch().releaseIndex(); });
    connect(&m_workspace, &Workspace::baseOpened, m_search,
            [this] { m_search->KbSearch().releaseIndex(); });

    // The view has checked that the row belongs to the open base.
    const auto load = [this](const QString& id, MaterialRecord& material) {
        return MaterialLookup::Load(m_workspace.store(), m_workspace.currentBase(), id, material);
    };
    connect(m_searchView, &CSearchItemView::openMaterialRequested, this,
            [this, load](const QString& id) {
                MaterialRecord material;
                if (load(id, material))
                    openMaterial(material);
            });
    connect(m_searchView, &CSearchItemView::dockMaterialRequested, this,
            [this, load](const QString& id) {
                MaterialRecord material;
                if (load(id, material) && m_materials->dockMaterial(material))
                    showPane(CommandIds::PaneDockStation);
            });
    connect(m_searchView, &CSearchItemView::moveToMaterialsRequested, this,
            [this, load](const QString& id) {
                MaterialRecord material;
                if (!load(id, material))
                    return;
                m_materials->list().appendMaterial(material);
                showPane(CommandIds::PaneMaterials);
            });
    connect(m_searchView, &CSearchItemView::openFile, this,
            [this](const QString& path) { openFileAt(path, 0); });
    connect(m_searchView, &CSearchItemView::openFileAtLine, this, &CMainFrame::openFileAt);

    m_commands->define(KbSearch, QStringLiteral("知识库搜索"));
    m_commands->setHandler(
        KbSearch,
        [this] {
            const QModelIndex item = m_treePane->view()->currentIndex();
            showSearchDialog(item.isValid() ? item.data().toString()
                                            : SearchScope::WholeBaseLabel());
        },
        [this] { return m_search && !m_search->IsSearching(); });
    m_commands->define(StopKbSearch, QStringLiteral("停止知识库搜索"));
    m_commands->setHandler(
        StopKbSearch, [this] { m_search->StopSearch(); },
        [this] { return m_search && m_search->IsSearching(); });
    connect(m_treePane, &CKnowledgeTreePane::searchRequested, this, [this](const QString& code) {
        if (!code.isEmpty())
            showSearchDialog(m_tree->indexOf(code).data().toString());
    });
}

void CMainFrame::showSearchDialog(const QString& scopeText) {
    if (!m_workspace.currentBase().IsOpen() || m_search->IsSearching())
        return;
    CSearchDialog dialog(*m_search, m_workspace.currentBase(), m_workspace.config(), m_queryHistory,
                         m_workspace.paths(), m_prompter, m_tree, scopeText, this);
    m_searchDialog = &dialog;
    dialog.exec();
    m_queryBox->refresh();
}

void CMainFrame::openFileAt(const QString& path, int line) {
    // A row of a document searched by its text counts lines of that text,
    // so it is shown where the reader shows the text; any other row is a
    // line of the raw file, shown in the text view even when the file is
    // RTF or a page, and a rich-text or web window of it is not reused.
    const SearchRequest& request = m_search->Request();
    if (line > 0 && request.DocumentText &&
        SearchableText::IsDocument(QFileInfo(path).fileName()) && showDocumentHit(path, line))
        return;
    CKeepsakeView* window = nullptr;
    for (QMdiSubWindow* sub : m_documents->subWindowList()) {
        auto* shown = qobject_cast<CKeepsakeView*>(sub->widget());
        if (shown && shown->filePath() == QFileInfo(path).absoluteFilePath()) {
            m_documents->setActiveSubWindow(sub);
            window = shown;
            break;
        }
    }
    if (!window) {
        window = m_factory->openSearchHit(path);
        if (!window) {
            addDocumentWindow(new CNoResourceShowView(path));
            return;
        }
        addDocumentWindow(window);
    }
    if (line > 0)
        window->GoToLineAndMark(line);
}

void CMainFrame::applySearchPreferences() {
    const FileSearchPreferences preferences(m_profile);
    m_search->SetDocumentText(preferences.documentText());
    serveContentIndex();
}

bool CMainFrame::showDocumentHit(const QString& path, int line) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const bool rtf =
        QFileInfo(path).suffix().compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0;
    DocumentWindow* window = nullptr;
    for (QMdiSubWindow* sub : m_documents->subWindowList()) {
        auto* shown = qobject_cast<DocumentWindow*>(sub->widget());
        const bool sameKind = rtf ? qobject_cast<CRichEditControlView*>(shown) != nullptr
                                  : qobject_cast<CHtmlViewsView*>(shown) != nullptr;
        if (sameKind && shown->filePath() == absolute) {
            m_documents->setActiveSubWindow(sub);
            window = shown;
            break;
        }
    }
    if (!window) {
        // A file that is not in its format was searched as plain text; the
        // caller shows it in the text view.
        window = rtf ? static_cast<DocumentWindow*>(m_factory->openRichText(path))
                     : m_factory->openWeb(path);
        if (!window)
            return false;
        addDocumentWindow(window);
    }
    // A file changed since the search may no longer hold the match; it is
    // shown all the same, from its start.
    const SearchRequest& request = m_search->Request();
    if (const auto place = SearchHitPlace::Find(path, line, request)) {
        if (auto* rich = qobject_cast<CRichEditControlView*>(window))
            rich->showOccurrence(place->text, place->occurrence, request.MatchCase != 0);
        else if (auto* web = qobject_cast<CHtmlViewsView*>(window))
            web->findOccurrence(place->text, place->occurrence, request.MatchCase != 0);
    }
    return true;
}
