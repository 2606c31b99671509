#include "ContentIndexService.h"

#include "materials/MaterialService.h"
#include "store/MaterialFolder.h"
#include "store/MaterialRecord.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <memory>

namespace {

// Changes come in bursts (an editor saves, a copy writes many files): one
// update for the burst.
constexpr int kCoalesceMs = 1500;
// How often folders the system would not watch are looked at.
constexpr int kUnwatchedMs = 3 * 60 * 1000;

// The folder and every folder below it, links not followed: a folder
// reached through a link is read by every search anyway.
QStringList foldersBelow(const QString& folder) {
    QStringList folders{folder};
    QDirIterator it(folder, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        folders.append(it.next());
    return folders;
}

} // namespace

ContentIndexService::ContentIndexService(QObject* parent) : QObject(parent) {
    m_coalesce = new QTimer(this);
    m_coalesce->setSingleShot(true);
    m_coalesce->setInterval(kCoalesceMs);
    connect(m_coalesce, &QTimer::timeout, this, [this] {
        enqueue(m_marked);
        m_marked.clear();
    });
    m_unwatchedTimer = new QTimer(this);
    m_unwatchedTimer->setInterval(kUnwatchedMs);
    connect(m_unwatchedTimer, &QTimer::timeout, this, &ContentIndexService::checkUnwatched);
}

ContentIndexService::~ContentIndexService() {
    stop();
}

void ContentIndexService::start(const CurrentKnowledgeBase& base, bool documentText) {
    stop();
    m_base = base;
    m_root = QDir::cleanPath(QDir::fromNativeSeparators(base.FilesRoot));
    m_documentText = documentText;
    m_control.Stop = false;
    m_ready = false;
    m_distrusted.clear();
    m_unwatched.clear();
    m_marked.clear();
    m_markedAt.clear();
    m_watchedDirs.clear();
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &ContentIndexService::markChanged);
    {
        std::lock_guard lock(m_mutex);
        m_quit = false;
        m_pendingAll = true;
        m_pending.clear();
        m_pendingGeneration = m_generation;
    }
    const quint64 run = ++m_run;
    m_control.Progress = [this, run](qint64 done, qint64 total) {
        QMetaObject::invokeMethod(this, [this, run, done, total] {
            if (run == m_run)
                Q_EMIT progressed(done, total);
        });
    };
    m_thread = QThread::create([this, run] { work(run); });
    m_thread->start(QThread::LowPriority);
    m_unwatchedTimer->start();
}

void ContentIndexService::stop() {
    if (!m_thread)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_control.Stop = true;
    m_wake.notify_all();
    m_thread->wait();
    ++m_run;
    delete m_thread;
    m_thread = nullptr;
    delete m_watcher;
    m_watcher = nullptr;
    m_coalesce->stop();
    m_unwatchedTimer->stop();
    m_ready = false;
    if (m_control.Pause.exchange(false))
        Q_EMIT resumed();
}

void ContentIndexService::pause() {
    if (!m_control.Pause.exchange(true))
        Q_EMIT paused();
}

void ContentIndexService::resume() {
    if (m_control.Pause.exchange(false))
        Q_EMIT resumed();
}

ContentIndexUse ContentIndexService::indexUse() const {
    ContentIndexUse use;
    use.Enabled = m_thread && m_ready;
    use.Distrusted = m_distrusted | m_unwatched;
    return use;
}

void ContentIndexService::followMaterials(const MaterialService& service) {
    connect(&service, &MaterialService::materialCreated, this, &ContentIndexService::onMaterial);
    connect(&service, &MaterialService::materialMoved, this,
            [this](const MaterialRecord& material, const QString&) { onMaterial(material); });
    connect(&service, &MaterialService::descriptionChanged, this, &ContentIndexService::onMaterial);
    connect(&service, &MaterialService::materialRecycled, this,
            [this](const MaterialRecord& material, const RecycleRow&) { onMaterial(material); });
}

void ContentIndexService::onMaterial(const MaterialRecord& material) {
    if (!m_thread)
        return;
    const QString folder = MaterialFolder::Resolve(m_base.FilesRoot, material.MinuItemFilePath);
    if (folder.isEmpty())
        return;
    // A new material's folder is watched from now on.
    if (!m_watchedDirs.contains(folder))
        watch({ContentIndexer::FolderKey(m_base.FilesRoot, folder)});
    markChanged(folder);
}

QString ContentIndexService::keyOf(const QString& path) const {
    const auto watched = m_watchedDirs.constFind(path);
    if (watched != m_watchedDirs.constEnd())
        return *watched;
    if (!path.startsWith(m_root + QLatin1Char('/')))
        return {};
    // Not watched: the material folder is the one whose key starts the path.
    for (auto it = m_watchedDirs.cbegin(); it != m_watchedDirs.cend(); ++it) {
        if (path.startsWith(m_root + QLatin1Char('/') + it.value() + QLatin1Char('/')))
            return it.value();
    }
    return ContentIndexer::FolderKey(m_base.FilesRoot, path);
}

void ContentIndexService::markChanged(const QString& path) {
    if (!m_thread)
        return;
    const QString key = keyOf(QDir::cleanPath(path));
    if (key.isEmpty())
        return;
    m_distrusted.insert(key);
    m_markedAt.insert(key, ++m_generation);
    m_marked.insert(key);
    m_coalesce->start();
    // A folder made inside a watched one is watched too.
    if (m_watchedDirs.value(QDir::cleanPath(path)) == key)
        watch({key});
}

void ContentIndexService::watch(const QStringList& keys) {
    if (!m_watcher)
        return;
    QStringList paths;
    QHash<QString, QString> keyOfPath;
    for (const QString& key : keys) {
        for (const QString& folder : foldersBelow(m_root + QLatin1Char('/') + key)) {
            if (!m_watchedDirs.contains(folder) && QFileInfo(folder).isDir()) {
                paths.append(folder);
                keyOfPath.insert(folder, key);
            }
        }
    }
    if (paths.isEmpty())
        return;
    const QStringList failed = m_watcher->addPaths(paths);
    const QSet<QString> refused(failed.begin(), failed.end());
    for (const QString& folder : std::as_const(paths)) {
        const QString key = keyOfPath.value(folder);
        if (refused.contains(folder)) {
            m_unwatched.insert(key);
        } else {
            m_watchedDirs.insert(folder, key);
        }
    }
}

void ContentIndexService::checkUnwatched() {
    if (!m_thread || m_unwatched.isEmpty())
        return;
    // Watches may have been freed meanwhile; the folders that now are
    // watched count as watched once this update has compared them.
    const QSet<QString> folders = m_unwatched;
    m_unwatched.clear();
    watch(QStringList(folders.begin(), folders.end()));
    for (const QString& key : folders) {
        m_distrusted.insert(key);
        m_markedAt.insert(key, ++m_generation);
    }
    enqueue(folders);
}

void ContentIndexService::enqueue(const QSet<QString>& folders) {
    if (folders.isEmpty())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_pending |= folders;
        m_pendingGeneration = m_generation;
    }
    m_wake.notify_all();
}

void ContentIndexService::onFolderDone(const QString& key, quint64 generation) {
    // A change after the update took its job stays distrusted until the
    // next update has seen it.
    if (m_markedAt.value(key) <= generation) {
        m_distrusted.remove(key);
        m_markedAt.remove(key);
    }
}

void ContentIndexService::work(quint64 run) {
    ContentIndexControl& control = m_control;
    for (;;) {
        bool all = false;
        QSet<QString> folders;
        quint64 generation = 0;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_quit || m_pendingAll || !m_pending.isEmpty(); });
            if (m_quit)
                return;
            all = m_pendingAll;
            folders = m_pending;
            generation = m_pendingGeneration;
            m_pendingAll = false;
            m_pending.clear();
        }
        // What the worker reports is applied on the service's thread, and
        // only while the run that reported it is the service's current one.
        control.Compared = [this, run, all](const QSet<QString>& stale) {
            QMetaObject::invokeMethod(this, [this, run, all, stale] {
                if (run != m_run)
                    return;
                m_distrusted |= stale;
                if (all)
                    m_ready = true;
            });
        };
        control.FolderDone = [this, run, generation](const QString& key) {
            QMetaObject::invokeMethod(this, [this, run, key, generation] {
                if (run == m_run)
                    onFolderDone(key, generation);
            });
        };
        ContentIndexer indexer(m_base, m_documentText, control);
        if (all) {
            // Watching starts before the folders are compared, so a change
            // made meanwhile is not lost; the worker waits until it has.
            const std::optional<QStringList> keys = indexer.MaterialFolders();
            if (keys) {
                const auto watching = std::make_shared<QSemaphore>();
                QMetaObject::invokeMethod(this, [this, run, keys, watching] {
                    if (run == m_run)
                        watch(*keys);
                    watching->release();
                });
                while (!watching->tryAcquire(1, 100)) {
                    if (control.Stop.load())
                        return;
                }
            }
        }
        const ContentIndexer::Result result =
            all ? indexer.UpdateAll()
                : indexer.UpdateFolders(QStringList(folders.begin(), folders.end()));
        if (result == ContentIndexer::Result::Stopped)
            return;
        const bool ok = result == ContentIndexer::Result::Done;
        QMetaObject::invokeMethod(this, [this, run, ok] {
            if (run == m_run)
                Q_EMIT finished(ok);
        });
    }
}
