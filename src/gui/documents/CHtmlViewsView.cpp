#include "CHtmlViewsView.h"

#include "LocalPageGuard.h"
#include "web/AddressRules.h"
#include "web/CHtmlViewsDoc.h"
#include "web/TextSize.h"

#include <QAction>
#include <QFileInfo>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Pages written for the old browser call window.external.addFavorite (in
// any case) and addProxy; both are answered and do nothing, and every other
// name stays unknown, so a page learns nothing else about the program.
QWebEngineScript externalObjectScript() {
    QWebEngineScript script;
    script.setName(QStringLiteral("keepsake-external"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QStringLiteral(R"((function () {
    var nothing = function () {};
    var external = new Proxy({}, {
        get: function (target, name) {
            if (typeof name !== "string")
                return undefined;
            if (name.toLowerCase() === "addfavorite" || name === "addProxy")
                return nothing;
            return undefined;
        },
        has: function (target, name) {
            return typeof name === "string" &&
                (name.toLowerCase() === "addfavorite" || name === "addProxy");
        }
    });
    try {
        Object.defineProperty(window, "external",
                              { value: external, configurable: true, writable: false });
    } catch (e) {}
})();)"));
    return script;
}

} // namespace

CHtmlViewsView::CHtmlViewsView(QWidget* parent)
    : DocumentWindow(Kind::Web, parent), m_browser(new QWebEngineView(this)),
      m_document(new CHtmlViewsDoc(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    setFocusProxy(m_browser);
    connect(m_document, &CHtmlViewsDoc::titleChanged, this, &QWidget::setWindowTitle);
    setOwnTitle(QStringLiteral("空白"));
    setUpPage();
}

void CHtmlViewsView::setUpPage() {
    QWebEngineSettings* settings = m_browser->settings();
    // Pages saved on Chinese Windows systems often name no character set;
    // the browser there read them as the system's code page.
    settings->setDefaultTextEncoding(QStringLiteral("GB18030"));
    // A page opens a window only when the user asked for one by a click.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // A page kept in a base came from anywhere: its scripts must not read
    // the user's other files, nor send them out. The browser refuses a
    // local page its own pictures too unless it may read every local file,
    // so the guard limits it to its own folder.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    m_browser->page()->setUrlRequestInterceptor(new LocalPageGuard(this));

    QWebEnginePage* page = m_browser->page();
    page->scripts().insert(externalObjectScript());
    connect(m_browser, &QWebEngineView::titleChanged, this, &CHtmlViewsView::showTitle);
    connect(m_browser, &QWebEngineView::loadFinished, this, &CHtmlViewsView::noteLoadFinished);
    connect(m_browser, &QWebEngineView::loadProgress, this, &CHtmlViewsView::noteProgress);
    connect(m_browser, &QWebEngineView::loadStarted, this, [this] {
        m_loaded = false;
        if (m_tracking)
            Q_EMIT statusTextChanged(QStringLiteral("正在打开网页 %1...")
                                         .arg(m_browser->page()->requestedUrl().toDisplayString()));
    });
    connect(m_browser, &QWebEngineView::urlChanged, this, &CHtmlViewsView::applyZoom);
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
    m_materialPages = false;
    load(info.absoluteFilePath());
    setOwnTitle(info.fileName());
    return true;
}

void CHtmlViewsView::showMaterialPages(const QString& materialName, const QString& folder,
                                       const QString& emptyPage) {
    m_materialPages = true;
    const std::optional<QString> first = m_document->showPagesOf(folder);
    load(QFileInfo(first.value_or(emptyPage)).absoluteFilePath());
    m_ownTitle.clear();
    m_document->setTitle(materialName);
}

void CHtmlViewsView::showPageFile(const std::optional<QString>& file) {
    if (file)
        load(QFileInfo(*file).absoluteFilePath());
}

void CHtmlViewsView::navigate(const QString& address) {
    m_path.clear();
    m_materialPages = false;
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
    applyZoom();
    m_loaded = true;
    if (m_pendingFind) {
        const PendingFind find = *std::exchange(m_pendingFind, std::nullopt);
        findFrom(find.text, find.occurrence, find.matchCase);
    }
    const QString address = m_browser->url().toString();
    if (!address.isEmpty())
        m_address = address;
    noteProgress(0);
    if (m_tracking) {
        if (!m_address.isEmpty())
            Q_EMIT addressChanged(m_address);
        Q_EMIT statusTextChanged(QStringLiteral("完成"));
    }
    Q_EMIT loadFinished(ok);
}

void CHtmlViewsView::findOccurrence(const QString& text, int occurrence, bool matchCase) {
    if (m_loaded)
        findFrom(text, occurrence, matchCase);
    else
        m_pendingFind = PendingFind{text, occurrence, matchCase};
}

void CHtmlViewsView::findFrom(const QString& text, int left, bool matchCase) {
    // Each find goes on from the occurrence marked before; the next one is
    // asked only when the browser has answered, or it would start over.
    const QPointer<CHtmlViewsView> self(this);
    m_browser->page()->findText(
        text, matchCase ? QWebEnginePage::FindCaseSensitively : QWebEnginePage::FindFlags(),
        [self, text, left, matchCase](const QWebEngineFindTextResult& result) {
            if (self && left > 0 && result.numberOfMatches() > 0)
                self->findFrom(text, left - 1, matchCase);
        });
}

void CHtmlViewsView::setZoomValue(int zoomValue) {
    m_zoomValue = zoomValue;
    applyZoom();
}

void CHtmlViewsView::applyZoom() {
    m_browser->setZoomFactor(TextSize::zoomFactorOf(m_zoomValue));
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
