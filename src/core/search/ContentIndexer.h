#pragma once

#include "store/ContentIndexStore.h"
#include "store/CurrentKnowledgeBase.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>

// How a caller steers an indexer running on another thread, and what it
// hears back. The callbacks run on the indexer's thread.
struct ContentIndexControl {
    std::atomic<bool> Stop{false};
    // While set, the indexer waits (with nothing of the index locked).
    std::atomic<bool> Pause{false};
    // Bytes of files read so far and in all; at most every 50 ms, and once
    // at the end.
    std::function<void(qint64 done, qint64 total)> Progress;
    // After the files were compared: the folders whose files differ from
    // the index, which the update is about to bring up to date.
    std::function<void(const QSet<QString>& staleFolders)> Compared;
    // A folder's files are all in the index now.
    std::function<void(const QString& folder)> FolderDone;
};

// Brings a base's content index up to date with its material folders, on the
// calling thread: every regular file of every material folder (hidden ones
// and files of every type: a search filters by type and hiding itself) is
// compared by size and modification time with the index, and the new and
// changed ones are read as the file search reads them, folded and stored;
// files and folders that are gone leave the index. Work is committed in
// batches, so a stop or a crash loses little and a search meanwhile sees
// what is done. Stopping is safe anywhere: a folder not completed stays
// marked as not checked, and the next update finishes it. Folders are named
// relative to the base's folder, as FolderKey gives them.
class ContentIndexer {
public:
    enum class Result { Done, Stopped, Failed };

    struct Staleness {
        qint64 StaleFiles = 0; // new, changed and gone
        QSet<QString> StaleFolders;
    };

    ContentIndexer(const CurrentKnowledgeBase& base, bool documentText,
                   ContentIndexControl& control);
    ~ContentIndexer();

    // Every material folder of the base; folders of materials that are gone
    // leave the index.
    Result UpdateAll();
    // Only these folders (a folder that holds no live material any more
    // leaves the index).
    Result UpdateFolders(const QStringList& folders);
    // Compares without reading or writing anything: what an update would
    // have to do. nullopt when the base or the index cannot be read.
    std::optional<Staleness> Check();

    // The folders of the base's live materials, named as FolderKey names
    // them, in material order; nullopt when the base cannot be read.
    std::optional<QStringList> MaterialFolders();

    // Why an update failed.
    const QString& ErrorText() const { return m_error; }

    // The name of a material folder (as MaterialFolder::Resolve gives it)
    // in the index.
    static QString FolderKey(const QString& filesRoot, const QString& folder);
    static QStringList FolderKeys(const QString& filesRoot, const QStringList& folders);

private:
    struct FileState;
    struct FolderScan;

    Result update(const std::optional<QStringList>& only);
    bool scan(const QString& key, FolderScan& folder);
    Result index(QList<FolderScan>& folders, qint64 total);
    bool waitWhilePaused();
    Result fail(const QString& text);

    CurrentKnowledgeBase m_base;
    bool m_documentText;
    ContentIndexControl& m_control;
    ContentIndexStore m_store;
    QString m_error;
};
