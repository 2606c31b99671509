#pragma once

#include <QWebEngineUrlRequestInterceptor>

// What a page opened from a file may read besides itself: the files of its
// own folder (the pictures of a page saved complete sit in "<name>_files"
// beside it), and nothing else of the user's disk. The browser can only allow
// a local page every local file or none, so the rest is refused here.
class LocalPageGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    // Whether a local page may read `file`: only within the page's folder,
    // after links are followed, so a link inside cannot lead outside.
    static bool mayRead(const QString& pageFile, const QString& file);
};
