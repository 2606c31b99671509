#pragma once

#include "DocumentWindow.h"

#include <QString>
#include <QStringList>
#include <QUrl>

class CHtmlViewsDoc;
class QWebEngineNewWindowRequest;
class QWebEngineView;

// The web document: a local file (a saved page, a web archive, a picture,
// a text) or a page of the web in the browser control, titled with the
// page's title or, for files without one, the file name. A material kept as
// web pages shows its pages one at a time under the material's name.
class CHtmlViewsView : public DocumentWindow {
    Q_OBJECT
public:
    explicit CHtmlViewsView(QWidget* parent = nullptr);

    // False when the file does not exist or cannot be read; the page itself
    // loads afterwards.
    bool open(const QString& path);

    // A material's pages, in the order given, the first shown; with none,
    // the empty-description page. The window keeps the material's name as
    // its title whatever page it shows, as it keeps any title given to it
    // with setWindowTitle.
    void showPages(const QString& materialName, const QStringList& pageFiles,
                   const QString& emptyPage);
    // False for an index outside the pages; nothing changes then.
    bool showPage(int index);
    const QStringList& pages() const { return m_pages; }
    int pageIndex() const { return m_pageIndex; }

    // Goes to an address the user typed or chose. The tab reads "空白" until
    // the page names itself.
    void navigate(const QString& address);
    // Neither goes anywhere when the control says it cannot.
    void goBack();
    void goForward();
    void stop();
    // Loads the page again from the server, not from the cache.
    void refresh();

    // The page's address as last reported (by a title or a finished load).
    const QString& currentAddress() const { return m_address; }
    bool canGoBack() const { return m_canGoBack; }
    bool canGoForward() const { return m_canGoForward; }
    int progress() const { return m_progress; }
    // A tracking view reports its address, status texts and progress for
    // the main window to show; the main window lets only the active one.
    bool isTracking() const { return m_tracking; }
    void setTracking(bool tracking) { m_tracking = tracking; }

    // Saved pages (.htm, .html, .mht …) as opposed to pictures and texts.
    static bool isPageSuffix(const QString& suffix);

    QString filePath() const override { return m_path; }
    QUrl url() const;
    QWebEngineView* browser() const { return m_browser; }
    CHtmlViewsDoc& document() const { return *m_document; }

Q_SIGNALS:
    void loadFinished(bool ok);
    // These three only from a tracking view.
    void addressChanged(const QString& address);
    void statusTextChanged(const QString& text);
    void progressChanged(int percent);
    void pageTitleChanged(const QString& title);
    void commandStateChanged();
    // The page closed its own window.
    void closeRequested();
    // A page asks for a new window; a request nobody takes is refused.
    void newWindowRequested(QWebEngineNewWindowRequest& request);

private:
    void load(const QString& path);
    void showTitle(const QString& title);
    void setOwnTitle(const QString& title);
    void noteAddressOnTitle(const QString& title);
    void noteLoadFinished(bool ok);
    void noteProgress(int percent);
    void followCommandState();

    QWebEngineView* m_browser;
    CHtmlViewsDoc* m_document;
    QString m_path;
    QString m_ownTitle; // the last title the view chose itself
    QStringList m_pages;
    int m_pageIndex = 0;
    QString m_address;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
    int m_progress = 0;
    bool m_tracking = true;
};
