#include "FileSearchEngine.h"

#include "ContentIndexer.h"
#include "FileSearchPool.h"
#include "FileSearchSink.h"
#include "FileSearchText.h"
#include "FileTypeList.h"
#include "db/Database.h"
#include "store/MaterialFolder.h"
#include "store/MaterialFolderQuery.h"

#include <QFile>
#include <dirent.h>
#include <sys/stat.h>

namespace {

const QString kNotOpen = QStringLiteral("数据库没有打开或已经关闭!");

// Closes a directory listing however the walk leaves it.
struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

bool statPath(const QString& path, struct stat& st) {
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

FileSearchEngine::FileSearchEngine(const SearchRequest& request, const CurrentKnowledgeBase& base,
                                   FileSearchSink& sink, const std::atomic<bool>& stop)
    : m_request(request), m_base(base), m_sink(sink), m_stop(stop) {}

FileSearchEngine::~FileSearchEngine() = default;

qint64 FileSearchEngine::BytesRead() const {
    return m_pool ? m_pool->BytesRead() : 0;
}

FileSearchTotals FileSearchEngine::Run() {
    if (m_request.ScopeCode.isEmpty() || m_request.QueryText.isEmpty() ||
        m_request.FileTypes.isEmpty())
        return m_totals;
    QList<MaterialFolderQuery::Folder> materials;
    {
        // A connection of the search's own, so the GUI thread's statements
        // on the base never meet this one.
        Database database;
        if (!database.Open(m_base.DatabasePath)) {
            m_sink.Tell(kNotOpen, QStringLiteral("错误"));
            return m_totals;
        }
        if (!MaterialFolderQuery::Load(database, m_request.ScopeCode, materials))
            return m_totals;
    }
    if (materials.isEmpty())
        return m_totals;
    MaterialFolder::Resolver resolver(m_base.FilesRoot);
    QStringList folders;
    for (const auto& material : materials) {
        const QString folder = resolver.Join(material.MinuItemFilePath);
        if (!folder.isEmpty())
            folders.append(folder);
    }
    if (m_index.Enabled) {
        const QStringList keys = ContentIndexer::FolderKeys(m_base.FilesRoot, folders);
        const ContentIndexFilter::Skip skip =
            ContentIndexFilter::FoldersToSkip(m_request, m_base, keys, m_index);
        if (!skip.PassOver.isEmpty()) {
            // The files passed over count as searched, as they would have
            // been, so the totals are those of a search without the index.
            m_totals.FilesSearched += skip.FilesPassedOver;
            QStringList kept;
            for (qsizetype i = 0; i < folders.size(); ++i) {
                if (!skip.PassOver.at(i))
                    kept.append(folders.at(i));
            }
            folders = kept;
        }
    }
    // A stored folder that would lead out of the base is not searched: the
    // files there are not the base's. Only the folders to read are looked
    // at on disk; the index never holds one that leads out.
    folders.removeIf([&](const QString& folder) { return !resolver.LeadsInside(folder); });
    return SearchFolders(folders);
}

FileSearchTotals FileSearchEngine::SearchFolders(const QStringList& folders) {
    m_types = std::make_unique<FileTypeList>(m_request.FileTypes);
    m_pool = std::make_unique<FileSearchPool>(m_request, m_sink, m_stop);
    for (QString folder : folders) {
        while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
            folder.chop(1);
        // Each material's walk remembers the folders it entered, so a link
        // back up the tree is not followed round and round.
        QSet<FolderId> entered;
        if (walk(folder, entered) == Walk::Stop) {
            m_stopped = true;
            break;
        }
    }
    if (!m_stopped && m_pool->Finish(m_totals) == FileSearchPool::Outcome::Stop)
        m_stopped = true;
    m_pool->Close();
    m_sink.AddRow({1, FileSearchText::Summary(m_totals.FilesMatched)});
    return m_totals;
}

FileSearchEngine::Walk FileSearchEngine::walk(const QString& folder, QSet<FolderId>& entered) {
    struct stat st;
    if (!statPath(folder, st) || !S_ISDIR(st.st_mode))
        return Walk::GoOn;
    const FolderId id{quint64(st.st_dev), quint64(st.st_ino)};
    if (entered.contains(id))
        return Walk::GoOn;
    entered.insert(id);

    // A folder that cannot be listed, or that goes away, ends its own walk
    // and nothing else.
    std::unique_ptr<DIR, DirCloser> dir(::opendir(QFile::encodeName(folder).constData()));
    if (!dir)
        return Walk::GoOn;
    while (const dirent* e = ::readdir(dir.get())) {
        const char* raw = e->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        if (entry(folder, QFile::decodeName(raw), e->d_type, entered) == Walk::Stop)
            return Walk::Stop;
    }
    return Walk::GoOn;
}

FileSearchEngine::Walk FileSearchEngine::entry(const QString& folder, const QString& name,
                                               unsigned char type, QSet<FolderId>& entered) {
    const QString path = folder + QLatin1Char('/') + name;
    const bool hidden = name.startsWith(QLatin1Char('.'));
    const bool include = hidden ? m_request.IncludeHidden != 0 : true;

    struct stat st;
    bool statted = false;
    bool isFolder = type == DT_DIR;
    if (type == DT_LNK || type == DT_UNKNOWN) {
        statted = statPath(path, st);
        isFolder = statted && S_ISDIR(st.st_mode);
    }
    if (isFolder) {
        if (include && walk(path, entered) == Walk::Stop)
            return Walk::Stop;
    } else if (include && m_types->Fits(name)) {
        // Pipes, sockets and devices are no files to search; a link that
        // leads nowhere is, one that cannot be opened.
        const bool special = statted ? !S_ISREG(st.st_mode)
                                     : (type != DT_REG && type != DT_LNK && type != DT_UNKNOWN);
        if (!special) {
            if (m_pool->Search(path, m_totals) == FileSearchPool::Outcome::Stop)
                return Walk::Stop;
        }
    }
    return m_stop.load(std::memory_order_relaxed) ? Walk::Stop : Walk::GoOn;
}
