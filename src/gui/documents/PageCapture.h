#pragma once

#include "web/CaptureFileName.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class CHtmlViewsView;
class Prompter;
class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;

// Keeps web pages in the knowledge base: saves the page of a web window into
// the capture folder (the current material's folder) as a complete page, a
// web archive or the HTML alone, and takes the downloads the pages start,
// into the same folder once the user agrees. The browser does the saving in
// the background; its end is told in the status bar, never in a message box.
class PageCapture : public QObject {
    Q_OBJECT
public:
    explicit PageCapture(Prompter& prompter, QObject* parent = nullptr);

    // Where pages and downloads go; empty when no material is current. Kept
    // only while the program runs.
    void SetCaptureFolder(const QString& folder);
    const QString& captureFolder() const { return m_folder; }

    // The formats of "自动保存当前网页" and "将当前网页入知识库".
    CaptureFormat autoSaveFormat() const { return m_autoSaveFormat; }
    void setAutoSaveFormat(CaptureFormat format) { m_autoSaveFormat = format; }
    CaptureFormat intoBaseFormat() const { return m_intoBaseFormat; }
    void setIntoBaseFormat(CaptureFormat format) { m_intoBaseFormat = format; }

    // Takes the downloads the pages of this profile start; once per profile.
    void watch(QWebEngineProfile* profile);

    // False, saying so in the status bar, when there is no web page to save.
    bool checkPage(const CHtmlViewsView* view);

    // Starts saving the view's page under a free name in the capture folder.
    // False, said in the status bar, when nothing is saved: no page, no
    // capture folder, or no name could be taken in it. `ended` learns whether
    // the page was saved once the browser has finished.
    using Ended = std::function<void(bool saved)>;
    bool CaptureCurrentPage(CHtmlViewsView* view, CaptureFormat format, Ended ended = {});
    // "另存为": saves the page where the user chose, told as a capture is.
    bool SavePageAs(CHtmlViewsView* view, const QString& path, CaptureFormat format);

Q_SIGNALS:
    void statusTextChanged(const QString& text);
    // How much of the running download has arrived, 0 to 100.
    void downloadProgressed(int percent);

private:
    struct PendingSave {
        QPointer<QWebEnginePage> page;
        QString path;
        CaptureFormat format;
        Ended ended;
        bool asked = false; // of the browser, which has not answered yet
    };

    void startSave(QWebEnginePage* page, const QString& path, CaptureFormat format, Ended ended);
    void saveNext(QWebEnginePage* page);
    void dropClosedPages();
    void takeRequest(QWebEngineDownloadRequest* request);
    void followSave(QWebEngineDownloadRequest* request);
    void endSave(QWebEngineDownloadRequest* request, const PendingSave& save);
    void takeDownload(QWebEngineDownloadRequest* request);
    void showDownloadProgress(const QWebEngineDownloadRequest* request);
    void endDownload(QWebEngineDownloadRequest* request, const QString& path);

    Prompter& m_prompter;
    QString m_folder;
    CaptureFormat m_autoSaveFormat = CaptureFormat::SingleFile;
    CaptureFormat m_intoBaseFormat = CaptureFormat::SingleFile;
    QList<QPointer<QWebEngineProfile>> m_profiles;
    QList<PendingSave> m_pending;
    int m_downloadPercent = -1;
};
