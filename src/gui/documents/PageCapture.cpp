#include "PageCapture.h"

#include "CHtmlViewsView.h"
#include "Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

const QString kNoPage = QStringLiteral("当前窗口没有可保存的网页");
const QString kNoMaterial = QStringLiteral("没有当前资料，无法保存网页");
const QString kClosed = QStringLiteral("网页已关闭");

// Names taken by someone else between choosing and creating are chosen
// again, a few times, before giving up.
constexpr int kReserveAttempts = 10;

QWebEngineDownloadRequest::SavePageFormat saveFormatOf(CaptureFormat format) {
    switch (format) {
    case CaptureFormat::CompletePage:
        return QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
    case CaptureFormat::SingleFile:
        return QWebEngineDownloadRequest::MimeHtmlSaveFormat;
    case CaptureFormat::HtmlOnly:
        break;
    }
    return QWebEngineDownloadRequest::SingleHtmlSaveFormat;
}

struct Reserved {
    QString path;
    QString failure;
};

// The browser writes over whatever is at the name it is given. Creating the
// file empty at once keeps a second capture or download, started before
// this one has written anything, from choosing the same name.
Reserved reserve(const std::function<QString()>& freePath) {
    QString failure;
    for (int attempt = 0; attempt < kReserveAttempts; ++attempt) {
        const QString path = freePath();
        QFile file(path);
        if (file.open(QIODevice::NewOnly))
            return {path, {}};
        failure = file.errorString();
        if (!QFileInfo::exists(path))
            break; // not taken by another: it cannot be made at all
    }
    return {{}, failure};
}

// What a save or download that did not finish leaves of the name it took.
void releaseUnwritten(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile() && !info.isSymLink() && info.size() == 0)
        QFile::remove(path);
}

QString reasonOf(const QWebEngineDownloadRequest* request) {
    const QString reason = request->interruptReasonString();
    return reason.isEmpty() ? QStringLiteral("已取消") : reason;
}

QString samePath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

PageCapture::PageCapture(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter) {}

void PageCapture::SetCaptureFolder(const QString& folder) {
    m_folder = folder;
}

void PageCapture::watch(QWebEngineProfile* profile) {
    if (!profile || m_profiles.contains(profile))
        return;
    m_profiles << profile;
    connect(profile, &QWebEngineProfile::downloadRequested, this, &PageCapture::takeRequest);
}

bool PageCapture::checkPage(const CHtmlViewsView* view) {
    if (view && !view->url().isEmpty())
        return true;
    Q_EMIT statusTextChanged(kNoPage);
    return false;
}

bool PageCapture::CaptureCurrentPage(CHtmlViewsView* view, CaptureFormat format, Ended ended) {
    if (!checkPage(view))
        return false;
    if (m_folder.isEmpty()) {
        Q_EMIT statusTextChanged(kNoMaterial);
        return false;
    }
    QWebEnginePage* page = view->browser()->page();
    // A file has no host: its name stands in for a page without a title.
    const QUrl url = page->url();
    const QString fallback =
        url.isLocalFile() ? QFileInfo(url.toLocalFile()).completeBaseName() : url.host();
    const Reserved reserved = reserve(
        [&] { return CaptureFileName::freePath(m_folder, page->title(), fallback, format); });
    if (reserved.path.isEmpty()) {
        Q_EMIT statusTextChanged(QStringLiteral("网页保存失败: %1").arg(reserved.failure));
        return false;
    }
    startSave(page, reserved.path, format, std::move(ended));
    return true;
}

bool PageCapture::SavePageAs(CHtmlViewsView* view, const QString& path, CaptureFormat format) {
    if (!checkPage(view))
        return false;
    startSave(view->browser()->page(), path, format, {});
    return true;
}

void PageCapture::startSave(QWebEnginePage* page, const QString& path, CaptureFormat format,
                            Ended ended) {
    watch(page->profile());
    connect(page, &QObject::destroyed, this, &PageCapture::dropClosedPages, Qt::UniqueConnection);
    m_pending.append({page, path, format, std::move(ended)});
    saveNext(page);
}

void PageCapture::dropClosedPages() {
    // The browser saves nothing of a page closed before its save began.
    const QList<PendingSave> pending = m_pending;
    m_pending.removeIf([](const PendingSave& save) { return !save.page; });
    for (const PendingSave& save : pending) {
        if (save.page)
            continue;
        releaseUnwritten(save.path);
        Q_EMIT statusTextChanged(QStringLiteral("网页保存失败: %1").arg(kClosed));
        if (save.ended)
            save.ended(false);
    }
}

void PageCapture::saveNext(QWebEnginePage* page) {
    // The browser holds one save request of a page until it has found where
    // the save goes; a second one meanwhile would take the first one's
    // place. The next waits until the request of the one before arrives.
    for (PendingSave& save : m_pending) {
        if (save.page != page)
            continue;
        if (!save.asked) {
            save.asked = true;
            page->save(save.path, saveFormatOf(save.format));
        }
        return;
    }
}

void PageCapture::takeRequest(QWebEngineDownloadRequest* request) {
    if (request->isSavePageDownload())
        followSave(request);
    else
        takeDownload(request);
}

void PageCapture::followSave(QWebEngineDownloadRequest* request) {
    // Only the saves started here; a page saved some other way is left to
    // whoever asked for it.
    const QString path =
        samePath(QDir(request->downloadDirectory()).filePath(request->downloadFileName()));
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (m_pending[i].page != request->page() || samePath(m_pending[i].path) != path)
            continue;
        const PendingSave save = m_pending.takeAt(i);
        connect(request, &QWebEngineDownloadRequest::isFinishedChanged, this,
                [this, request, save] { endSave(request, save); });
        saveNext(request->page());
        return;
    }
}

void PageCapture::endSave(QWebEngineDownloadRequest* request, const PendingSave& save) {
    const bool saved = request->state() == QWebEngineDownloadRequest::DownloadCompleted;
    if (saved) {
        Q_EMIT statusTextChanged(
            QStringLiteral("网页已保存到 %1").arg(QDir::toNativeSeparators(save.path)));
    } else {
        releaseUnwritten(save.path);
        Q_EMIT statusTextChanged(QStringLiteral("网页保存失败: %1").arg(reasonOf(request)));
    }
    if (save.ended)
        save.ended(saved);
}

void PageCapture::takeDownload(QWebEngineDownloadRequest* request) {
    if (request->state() != QWebEngineDownloadRequest::DownloadRequested)
        return; // taken already
    QString folder = m_folder;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        QDir().mkpath(folder); // a new account may not have it yet
    }
    const QString suggested = request->suggestedFileName().isEmpty() ? request->downloadFileName()
                                                                     : request->suggestedFileName();
    const QString planned = CaptureFileName::freeDownloadPath(folder, suggested);
    const Prompter::Answer answer = m_prompter.message(
        QStringLiteral("是否下载文件 '%1' 到 '%2'?")
            .arg(QFileInfo(planned).fileName(), QDir::toNativeSeparators(folder)),
        QStringLiteral("提示"), Prompter::Icon::Question, Prompter::Buttons::YesNo);
    if (answer != Prompter::Answer::Yes) {
        request->cancel();
        return;
    }
    const Reserved reserved =
        reserve([&] { return CaptureFileName::freeDownloadPath(folder, suggested); });
    if (reserved.path.isEmpty()) {
        request->cancel();
        Q_EMIT statusTextChanged(QStringLiteral("下载失败: %1").arg(reserved.failure));
        return;
    }
    request->setDownloadDirectory(folder);
    request->setDownloadFileName(QFileInfo(reserved.path).fileName());
    const auto progress = [this, request] { showDownloadProgress(request); };
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, progress);
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this, progress);
    connect(request, &QWebEngineDownloadRequest::isFinishedChanged, this,
            [this, request, path = reserved.path] { endDownload(request, path); });
    m_downloadPercent = 0;
    Q_EMIT downloadProgressed(0);
    request->accept();
}

void PageCapture::showDownloadProgress(const QWebEngineDownloadRequest* request) {
    const qint64 total = request->totalBytes();
    if (total <= 0)
        return; // the server did not say how much is coming
    const int percent = int(qBound(qint64(0), request->receivedBytes() * 100 / total, qint64(100)));
    if (percent == m_downloadPercent)
        return;
    m_downloadPercent = percent;
    Q_EMIT downloadProgressed(percent);
}

void PageCapture::endDownload(QWebEngineDownloadRequest* request, const QString& path) {
    if (request->state() != QWebEngineDownloadRequest::DownloadCompleted) {
        releaseUnwritten(path);
        Q_EMIT statusTextChanged(QStringLiteral("下载失败: %1").arg(reasonOf(request)));
        return;
    }
    m_downloadPercent = 100;
    Q_EMIT downloadProgressed(100);
    Q_EMIT statusTextChanged(QStringLiteral("下载完成: %1").arg(QDir::toNativeSeparators(path)));
}
