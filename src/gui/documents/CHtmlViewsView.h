#pragma once

#include "DocumentWindow.h"

#include <QString>
#include <QUrl>
#include <optional>

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

    // Shows a file; false when it cannot be read.
    bool open(const QString& path);

    // Shows the first of a material's pages, or `emptyPage` when its folder
    // has none, under the material's name.
    void showMaterialPages(const QString& materialName, const QString& folder,
                           const QString& emptyPage);
    // Loads a page file the document stepped to; nothing happens for none.
    void showPageFile(const std::optional<QString>& file);
    // Whether the window shows a material's pages rather than an address or
    // a file of its own.
    bool showsMaterialPages() const { return m_materialPages; }

    // Goes to an address the user typed or chose. The tab reads "空白" until
    // the page names itself.
    void navigate(const QString& address);
    // Neither goes anywhere when the control says it cannot.
    void goBack();
    void goForward();
    void stop();
    // Loads the page again from the server, not from the cache.
    void refresh();

    // The page zoom for a zoom value (0 smallest to 4 largest). The browser
    // forgets it when it moves to another site, so it is set again after
    // every load.
    void setZoomValue(int zoomValue);
    int zoomValue() const { return m_zoomValue; }

    // The page's address as last reported (by a title or a finished load).
    const QString& currentAddress() const { return m_address; }
    bool canGoBack() const { return m_canGoBack; }
    bool canGoForward() const { return m_canGoForward; }
    int progress() const { return m_progress; }
    // A tracking view reports its address, status texts and progress for
    // the main window to show; the main window lets only the active one.
    bool isTracking() const { return m_tracking; }
    void setTracking(bool tracking) { m_tracking = tracking; }

    // Marks the given occurrence (0 for the first) of a text with the
    // browser's find, as a search hit is shown; a page still loading is
    // marked when it has loaded.
    void findOccurrence(const QString& text, int occurrence, bool matchCase);

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
    void setUpPage();
    void load(const QString& path);
    void showTitle(const QString& title);
    void setOwnTitle(const QString& title);
    void noteAddressOnTitle(const QString& title);
    void noteLoadFinished(bool ok);
    void noteProgress(int percent);
    void followCommandState();
    void applyZoom();
    void findFrom(const QString& text, int left, bool matchCase);

    struct PendingFind {
        QString text;
        int occurrence = 0;
        bool matchCase = false;
    };

    QWebEngineView* m_browser;
    CHtmlViewsDoc* m_document;
    QString m_path;
    QString m_ownTitle; // the last title the view chose itself
    bool m_materialPages = false;
    QString m_address;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
    int m_progress = 0;
    bool m_tracking = true;
    int m_zoomValue = 2;
    bool m_loaded = false;
    std::optional<PendingFind> m_pendingFind;
};
