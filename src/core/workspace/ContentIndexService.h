#pragma once

#include "search/ContentIndexFilter.h"
#include "search/ContentIndexer.h"
#include "store/CurrentKnowledgeBase.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <condition_variable>
#include <mutex>

struct MaterialRecord;
class MaterialService;
class QFileSystemWatcher;
class QThread;
class QTimer;

// Keeps the open base's content index up to date while the program runs, so
// that a file search reads only the folders that may hold the query. When
// started it brings every folder up to date in the background, then watches
// the material folders and updates a folder shortly after it changes. A
// folder that changed and is not updated yet is distrusted: a search reads it
// whole. Folders the system would not watch (its limit of watches was
// reached) are always distrusted and updated every few minutes.
//
// The work runs on a thread of the service's own with its own connections;
// stopping waits for the file being read, and what was committed stays.
class ContentIndexService : public QObject {
    Q_OBJECT
public:
    explicit ContentIndexService(QObject* parent = nullptr);
    // Stops and waits for the worker.
    ~ContentIndexService() override;

    // Serves this base (and stops serving any other). documentText: the
    // mode the file search reads documents in.
    void start(const CurrentKnowledgeBase& base, bool documentText);
    bool isServing() const { return m_thread != nullptr; }
    bool isPaused() const { return m_control.Pause.load(); }

    // Follows the program's own changes of materials (created, moved,
    // recycled, description changed) without waiting for the watcher.
    void followMaterials(const MaterialService& service);

    // What a file search started now may use: disabled until the first
    // update has compared the folders with the index.
    ContentIndexUse indexUse() const;

public Q_SLOTS:
    // Stops serving: the worker ends after the file it reads, watching
    // stops; the index stays for the next start.
    void stop();
    void pause();
    void resume();
    // A folder of the base (absolute) or anything in it changed.
    void markChanged(const QString& path);

Q_SIGNALS:
    // Bytes read of the current update.
    void progressed(qint64 done, qint64 total);
    void paused();
    void resumed();
    // An update ended; ok false when the index could not be written.
    void finished(bool ok);

private:
    struct Job;
    void work(quint64 run);
    void enqueue(const QSet<QString>& folders);
    void watch(const QStringList& folders);
    void onFolderDone(const QString& key, quint64 generation);
    void onMaterial(const MaterialRecord& material);
    void checkUnwatched();
    QString keyOf(const QString& path) const;

    CurrentKnowledgeBase m_base;
    QString m_root;
    bool m_documentText = true;
    ContentIndexControl m_control;
    QThread* m_thread = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_coalesce = nullptr;
    QTimer* m_unwatchedTimer = nullptr;

    // On the service's thread.
    bool m_ready = false;
    QSet<QString> m_distrusted;
    QSet<QString> m_unwatched;
    QSet<QString> m_marked; // waiting for the coalescing timer
    QHash<QString, quint64> m_markedAt;
    quint64 m_generation = 0;
    quint64 m_run = 0;                     // which start() the worker's reports belong to
    QHash<QString, QString> m_watchedDirs; // folder -> material folder key

    // Shared with the worker, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    bool m_pendingAll = false;
    QSet<QString> m_pending;
    quint64 m_pendingGeneration = 0;
};
