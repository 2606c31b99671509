#include "CHtmlViewsView.h"

#include <QFileInfo>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

CHtmlViewsView::CHtmlViewsView(QWidget* parent)
    : DocumentWindow(Kind::Web, parent), m_browser(new QWebEngineView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    setFocusProxy(m_browser);
    setOwnTitle(QStringLiteral("空白"));

    // Pages saved on Chinese Windows systems often name no character set;
    // the browser there read them as the system's code page.
    m_browser->settings()->setDefaultTextEncoding(QStringLiteral("GB18030"));
    connect(m_browser, &QWebEngineView::titleChanged, this, &CHtmlViewsView::showTitle);
    connect(m_browser, &QWebEngineView::loadFinished, this, &CHtmlViewsView::loadFinished);
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
    if (windowTitle() != m_ownTitle)
        return; // named by the main window, after the material it shows
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
    setWindowTitle(title);
}
