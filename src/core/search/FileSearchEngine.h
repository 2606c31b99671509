#pragma once

#include "ContentIndexFilter.h"
#include "FileSearchRow.h"
#include "SearchRequest.h"
#include "store/CurrentKnowledgeBase.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <utility>

class FileSearchPool;
class FileSearchSink;
class FileTypeList;

// One file search from start to end, reported on the calling thread: the
// material folders of the scope are read from the base's database on a
// connection of the engine's own, walked depth first in the order the file
// system lists them, and every file whose name fits the types is searched,
// on all cores (FileSearchPool). Rows and totals go to the sink in the walk's
// order, as they are found. The stop flag is read before every line row,
// after every directory entry and between the blocks of a file.
class FileSearchEngine {
public:
    FileSearchEngine(const SearchRequest& request, const CurrentKnowledgeBase& base,
                     FileSearchSink& sink, const std::atomic<bool>& stop);
    ~FileSearchEngine();

    // Lets Run pass over the material folders the base's content index
    // vouches hold no match (see ContentIndexFilter); the rows stay the same.
    void SetContentIndex(const ContentIndexUse& use) { m_index = use; }

    // The whole search, summary row included. A request without scope,
    // query or file types, a database that cannot be read and a scope
    // without materials end it at once without rows.
    FileSearchTotals Run();

    // Walks the given folders as if they were the scope's material folders
    // and adds the summary row.
    FileSearchTotals SearchFolders(const QStringList& folders);

    // True when the search ended on the stop flag or on a "No".
    bool Stopped() const { return m_stopped; }
    qint64 BytesRead() const;

private:
    enum class Walk { GoOn, Stop };
    // (device, inode) of a folder already entered in this walk.
    using FolderId = std::pair<quint64, quint64>;

    Walk walk(const QString& folder, QSet<FolderId>& entered);
    Walk entry(const QString& folder, const QString& name, unsigned char type,
               QSet<FolderId>& entered);

    SearchRequest m_request;
    CurrentKnowledgeBase m_base;
    FileSearchSink& m_sink;
    const std::atomic<bool>& m_stop;
    FileSearchTotals m_totals;
    bool m_stopped = false;
    std::unique_ptr<FileTypeList> m_types;
    std::unique_ptr<FileSearchPool> m_pool;
    ContentIndexUse m_index;
};
