#pragma once

#include "DocumentWindow.h"

#include <QString>
#include <QStringList>
#include <QUrl>

class QWebEngineView;

// The web document: a local file (a saved page, a web archive, a picture,
// a text) in the browser control, titled with the page's title or, for
// files without one, the file name. A material kept as web pages shows its
// pages one at a time under the material's name.
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

    // Saved pages (.htm, .html, .mht …) as opposed to pictures and texts.
    static bool isPageSuffix(const QString& suffix);

    QString filePath() const override { return m_path; }
    QUrl url() const;
    QWebEngineView* browser() const { return m_browser; }

Q_SIGNALS:
    void loadFinished(bool ok);

private:
    void load(const QString& path);
    void showTitle(const QString& title);
    void setOwnTitle(const QString& title);

    QWebEngineView* m_browser;
    QString m_path;
    QString m_ownTitle; // the last title the view chose itself
    QStringList m_pages;
    int m_pageIndex = 0;
};
