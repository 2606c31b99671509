#include "CHtmlViewsView.h"

#include "web/AddressRules.h"
#include "web/CHtmlViewsDoc.h"

#include <QAction>
#include <QFileInfo>
#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

CHtmlViewsView::CHtmlViewsView(QWidget* parent)
    : DocumentWindow(Kind::Web, parent), m_browser(new QWebEngineView(this)),
      m_document(new CHtmlViewsDoc(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    setFocusProxy(m_browser);
    connect(m_document, &CHtmlViewsDoc::titleChanged, this, &QWidget::setWindowTitle);
    setOwnTitle(QStringLiteral("空白"));

    // Pages saved on Chinese Windows systems often name no character set;
    // the browser there read them as the system's code page.
    m_browser->settings()->setDefaultTextEncoding(QStringLiteral("GB18030"));
    // A page opens a window only when the user asked for one by a click.
    m_browser->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    connect(m_browser, &QWebEngineView::titleChanged, this, &CHtmlViewsView::showTitle);
    connect(m_browser, &QWebEngineView::loadFinished, this, &CHtmlViewsView::noteLoadFinished);
    connect(m_browser, &QWebEngineView::loadProgress, this, &CHtmlViewsView::noteProgress);

    QWebEnginePage* page = m_browser->page();
    connect(page, &QWebEnginePage::linkHovered, this, [this](const QString& url) {
        if (m_tracking)
            Q_EMIT statusTextChanged(url);
    });
    connect(page, &QWebEnginePage::windowCloseRequested, this, &CHtmlViewsView::closeRequested);
    connect(page, &QWebEnginePage::newWindowRequested, this, &CHtmlViewsView::newWindowRequested);
    for (auto action : {QWebEnginePage::Back, QWebEnginePage::Forward})
        connect(page->action(action), &QAction::changed, this, &CHtmlViewsView::followCommandState);
}

bool CHtmlViewsView::open(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return false;
    m_pages.clear();
    m_pageIndex = 0;
    load(info.absoluteFilePath());
    setOwnTitle(info.fileName());
    return true;
}

void CHtmlViewsView::showPages(const QString& materialName, const QStringList& pageFiles,
                               const QString& emptyPage) {
    m_pages = pageFiles;
    m_pageIndex = 0;
    load(m_pages.isEmpty() ? QFileInfo(emptyPage).absoluteFilePath()
                           : QFileInfo(m_pages.first()).absoluteFilePath());
    m_ownTitle.clear();
    setWindowTitle(materialName);
}

bool CHtmlViewsView::showPage(int index) {
    if (index < 0 || index >= m_pages.size())
        return false;
    m_pageIndex = index;
    load(QFileInfo(m_pages[index]).absoluteFilePath());
    return true;
}

void CHtmlViewsView::navigate(const QString& address) {
    m_path.clear();
    m_pages.clear();
    m_pageIndex = 0;
    setToolTip(QString());
    setOwnTitle(QStringLiteral("空白"));
    m_browser->load(AddressRules::urlOf(address));
}

void CHtmlViewsView::goBack() {
    if (m_canGoBack)
        m_browser->back();
}

void CHtmlViewsView::goForward() {
    if (m_canGoForward)
        m_browser->forward();
}

void CHtmlViewsView::stop() {
    m_browser->stop();
}

void CHtmlViewsView::refresh() {
    m_browser->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
}

void CHtmlViewsView::load(const QString& path) {
    m_path = path;
    setToolTip(m_path);
    m_browser->load(QUrl::fromLocalFile(m_path));
}

bool CHtmlViewsView::isPageSuffix(const QString& suffix) {
    static const QStringList pages = {"htm", "html", "shtml", "xhtml", "mht", "mhtml"};
    return pages.contains(suffix.toLower());
}

QUrl CHtmlViewsView::url() const {
    return m_browser->url();
}

void CHtmlViewsView::showTitle(const QString& title) {
    noteAddressOnTitle(title);
    if (windowTitle() != m_ownTitle)
        return; // named by the main window, after the material it shows
    if (m_path.isEmpty()) {
        if (!title.isEmpty())
            setOwnTitle(title);
        return;
    }
    // Only a page has a title of its own: for a picture or a text the
    // browser makes one up from the address or the size.
    const QFileInfo info(m_path);
    const QUrl url = m_browser->url();
    const bool madeUp = title.isEmpty() || title == url.toString() ||
                        title == url.toDisplayString() || title == url.path() ||
                        title == info.fileName();
    setOwnTitle(isPageSuffix(info.suffix()) && !madeUp ? title : info.fileName());
}

void CHtmlViewsView::setOwnTitle(const QString& title) {
    m_ownTitle = title;
    m_document->setTitle(title);
    // The document's title may be the same while the window's was changed.
    setWindowTitle(title);
}

void CHtmlViewsView::noteAddressOnTitle(const QString& title) {
    Q_EMIT pageTitleChanged(title);
    const QString address = m_browser->url().toString();
    if (!address.isEmpty() && address == m_address)
        return;
    m_address = address;
    if (m_tracking && address != title)
        Q_EMIT addressChanged(address);
}

void CHtmlViewsView::noteLoadFinished(bool ok) {
    const QString address = m_browser->url().toString();
    if (!address.isEmpty())
        m_address = address;
    noteProgress(0);
    if (m_tracking && !m_address.isEmpty())
        Q_EMIT addressChanged(m_address);
    Q_EMIT loadFinished(ok);
}

void CHtmlViewsView::noteProgress(int percent) {
    m_progress = qBound(0, percent, 100);
    if (m_tracking)
        Q_EMIT progressChanged(m_progress);
}

void CHtmlViewsView::followCommandState() {
    QWebEnginePage* page = m_browser->page();
    m_canGoBack = page->action(QWebEnginePage::Back)->isEnabled();
    m_canGoForward = page->action(QWebEnginePage::Forward)->isEnabled();
    Q_EMIT commandStateChanged();
}
