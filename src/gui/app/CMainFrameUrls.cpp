// The main window's kept web addresses: the navigation pane, which opens
// them in the browser, and the browser's command that keeps the page shown.

#include "CMainFrame.h"

#include "WebWindows.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/CHtmlViewsView.h"
#include "panes/CUrlGroupPane.h"
#include "web/UrlGroups.h"

void CMainFrame::createUrlGroups() {
    using namespace CommandIds;
    m_urls = std::make_unique<UrlGroups>(m_workspace.paths().urlConfigFile(), m_prompter);
    m_urlPane = new CUrlGroupPane(*m_urls, *m_commands);
    setPaneContent(PaneNavigation, m_urlPane);
    connect(m_urlPane, &CUrlGroupPane::openRequested, m_web, &WebWindows::OpenAddress);

    m_commands->define(SavePageIntoUrlGroup, QStringLiteral("收藏网页进当前网址组"));
    m_commands->setHandler(
        SavePageIntoUrlGroup,
        [this] {
            showPane(PaneNavigation);
            m_urlPane->savePage(m_web->pageTitle(), m_web->activeWebView()->currentAddress());
        },
        [this] { return m_web->activeWebView() != nullptr; });

    m_urls->load();
    m_urlPane->fill();
}
