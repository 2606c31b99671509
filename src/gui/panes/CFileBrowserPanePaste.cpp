#include "CFileBrowserPane.h"

#include "commands/CommandRegistry.h"
#include "materials/FilePasteJob.h"
#include "materials/PastedFiles.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

// Files cut in the file manager are pasted as copies and their originals
// stay: the file manager would delete them after a paste of its own, but a
// paste into the knowledge base never takes a file from where the user keeps
// it. Each paste is a job of its own with its own folder and files, so a
// second paste started while the first runs neither waits nor mixes with it.
void CFileBrowserPane::pasteFromClipboard() {
    const QString target = pasteTarget();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (target.isEmpty() || !data)
        return;
    const PastedFiles::Content content = PastedFiles::read(*data);
    if (content.paths.isEmpty())
        return;
    auto* job = new FilePasteJob(target, content.paths, m_prompter, this);
    m_pastes.insert(job, {0, 0});
    connect(job, &FilePasteJob::progressed, this,
            [this, job](qint64 done, qint64 total) { pasteProgress(job, done, total); });
    connect(job, &FilePasteJob::finished, this,
            [this, job](const FilePasteResult& result) { pasteEnded(job, result); });
    m_commands.updateEnabled();
    job->start();
}

void CFileBrowserPane::stopPaste() {
    for (auto it = m_pastes.cbegin(); it != m_pastes.cend(); ++it)
        it.key()->stop();
}

void CFileBrowserPane::pasteProgress(FilePasteJob* job, qint64 done, qint64 total) {
    const auto it = m_pastes.find(job);
    if (it == m_pastes.end())
        return;
    *it = {done, total};
    qint64 allDone = 0;
    qint64 allTotal = 0;
    for (const QPair<qint64, qint64>& bytes : std::as_const(m_pastes)) {
        allDone += bytes.first;
        allTotal += bytes.second;
    }
    // Empty files and links only: nothing to weigh, the paste is as good as done.
    const int percent = allTotal > 0 ? int(allDone * 100 / allTotal) : 100;
    if (percent != m_pastePercent) {
        m_pastePercent = percent;
        Q_EMIT pasteProgressed(percent);
    }
}

void CFileBrowserPane::pasteEnded(FilePasteJob* job, const FilePasteResult& result) {
    if (!m_pastes.remove(job))
        return;
    job->deleteLater();
    // The file system watcher reports new files late or, on network mounts,
    // not at all; what was pasted is listed now.
    if (!m_current.isEmpty()) {
        setUpFileModel();
        showInList(m_current);
    }
    if (m_pastes.isEmpty())
        m_pastePercent = -1;
    m_commands.updateEnabled();
    Q_EMIT pasteFinished(result.summary());
}
