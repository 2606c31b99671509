// The main window's part in the content index: the service that keeps the
// open base's index current, its progress in the status bar, and the file
// searches it spares.

#include "CMainFrame.h"

#include "ContentIndexIndicator.h"
#include "LongOperation.h"
#include "materials/MaterialPanes.h"
#include "search/FileSearchControl.h"
#include "search/FileSearchPreferences.h"
#include "search/SearchControl.h"
#include "workspace/ContentIndexService.h"
#include "workspace/Workspace.h"

#include <QStatusBar>

void CMainFrame::createContentIndex() {
    m_contentIndex = new ContentIndexService(this);
    m_contentIndex->followMaterials(m_materials->service());
    new ContentIndexIndicator(
        *m_contentIndex, *m_progress, *statusBar(),
        [this] { return m_longOperation && m_longOperation->isRunning(); }, this);
    m_search->FileSearch().SetContentIndexSource([this] { return m_contentIndex->indexUse(); });
    connect(&m_workspace, &Workspace::baseOpened, this, [this] { serveContentIndex(); });
    connect(&m_workspace, &Workspace::baseClosed, this, [this] { serveContentIndex(); });
}

void CMainFrame::serveContentIndex() {
    if (!m_contentIndex)
        return;
    const CurrentKnowledgeBase& base = m_workspace.currentBase();
    const FileSearchPreferences preferences(m_profile);
    if (!base.IsOpen() || !preferences.contentIndex(base.DatabasePath)) {
        m_contentIndex->stop();
        m_indexServed.clear();
        return;
    }
    // Starting again compares every folder, so only a change of base or of
    // the way documents are read starts it again.
    const QString served = base.DatabasePath + (preferences.documentText() ? u'1' : u'0');
    if (m_contentIndex->isServing() && served == m_indexServed)
        return;
    m_indexServed = served;
    m_contentIndex->start(base, preferences.documentText());
}
