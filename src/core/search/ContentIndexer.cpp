#include "ContentIndexer.h"

#include "CaseFold.h"
#include "SearchableText.h"
#include "db/Database.h"
#include "store/CategoryCode.h"
#include "store/MaterialFolder.h"
#include "store/MaterialFolderQuery.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QThread>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

// A batch is committed when it holds this much text, this many files, or
// has run this long: small enough that a crash loses little and a search
// sees progress, large enough that commits cost little.
constexpr qint64 kBatchBytes = qint64(32) << 20;
constexpr int kBatchFiles = 2000;
constexpr qint64 kBatchMs = 500;
constexpr qint64 kProgressMs = 50;

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

using FolderId = std::pair<quint64, quint64>;

} // namespace

struct ContentIndexer::FileState {
    ContentIndexStore::File File; // Id: the row it replaces, -1 for none
};

struct ContentIndexer::FolderScan {
    QString Key;
    qint64 Id = -1; // -1: not in the index yet
    qint64 Checked = 0;
    bool Remove = false; // no material's folder any more
    bool AlwaysWalk = false;
    QList<FileState> Read; // new and changed files
    QList<qint64> Gone;    // rows of files that are no more

    bool Stale() const {
        return Remove || Id < 0 || Checked == 0 || !Read.isEmpty() || !Gone.isEmpty();
    }

    // A folder as the index last saw it, before its files are compared.
    static FolderScan Of(const QString& key, const QSet<QString>& live,
                         const QHash<QString, ContentIndexStore::Folder>& indexed) {
        FolderScan folder;
        folder.Key = key;
        folder.Remove = !live.contains(key);
        const auto old = indexed.constFind(key);
        if (old != indexed.constEnd()) {
            folder.Id = old->Id;
            folder.Checked = old->Checked;
        }
        return folder;
    }
};

namespace {

// Every material's folder, then the folders the index holds of materials
// that are gone, whose rows are to go too.
QStringList withGoneFolders(QStringList folders, const QSet<QString>& live,
                            const QHash<QString, ContentIndexStore::Folder>& indexed) {
    for (auto it = indexed.cbegin(); it != indexed.cend(); ++it) {
        if (!live.contains(it.key()))
            folders.append(it.key());
    }
    return folders;
}

} // namespace

ContentIndexer::ContentIndexer(const CurrentKnowledgeBase& base, bool documentText,
                               ContentIndexControl& control)
    : m_base(base), m_documentText(documentText), m_control(control) {}

ContentIndexer::~ContentIndexer() = default;

QString ContentIndexer::FolderKey(const QString& filesRoot, const QString& folder) {
    const QString root = QDir::cleanPath(QDir::fromNativeSeparators(filesRoot));
    return folder.mid(root.size() + 1);
}

QStringList ContentIndexer::FolderKeys(const QString& filesRoot, const QStringList& folders) {
    const qsizetype cut = QDir::cleanPath(QDir::fromNativeSeparators(filesRoot)).size() + 1;
    QStringList keys;
    keys.reserve(folders.size());
    for (const QString& folder : folders)
        keys.append(folder.mid(cut));
    return keys;
}

ContentIndexer::Result ContentIndexer::fail(const QString& text) {
    m_error = text;
    return Result::Failed;
}

std::optional<QStringList> ContentIndexer::MaterialFolders() {
    Database database;
    QList<MaterialFolderQuery::Folder> materials;
    if (!database.Open(m_base.DatabasePath) ||
        !MaterialFolderQuery::Load(database, CategoryCode::kWholeBase, materials)) {
        m_error = database.GetErrorText();
        return std::nullopt;
    }
    QStringList keys;
    QSet<QString> seen;
    MaterialFolder::Resolver resolver(m_base.FilesRoot);
    for (const auto& material : materials) {
        const QString folder = resolver.Resolve(material.MinuItemFilePath);
        if (folder.isEmpty())
            continue;
        const QString key = FolderKey(m_base.FilesRoot, folder);
        if (!seen.contains(key)) {
            seen.insert(key);
            keys.append(key);
        }
    }
    return keys;
}

namespace {

// Every regular file below folder, as the file search walks it: links are
// followed (and noted), a folder is entered once per walk.
void walk(const QString& folder, const QString& prefix, QSet<FolderId>& entered,
          QList<ContentIndexStore::File>& files, bool& unsure) {
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return;
    const FolderId id{quint64(st.st_dev), quint64(st.st_ino)};
    if (entered.contains(id))
        return;
    entered.insert(id);
    std::unique_ptr<DIR, DirCloser> dir(::opendir(QFile::encodeName(folder).constData()));
    if (!dir) {
        unsure = true;
        return;
    }
    while (const dirent* e = ::readdir(dir.get())) {
        const char* raw = e->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        if (e->d_type == DT_LNK)
            unsure = true;
        const QString name = QFile::decodeName(raw);
        if (e->d_type == DT_DIR) {
            walk(folder + QLatin1Char('/') + name, prefix + name + QLatin1Char('/'), entered, files,
                 unsure);
            continue;
        }
        if (::fstatat(::dirfd(dir.get()), raw, &st, 0) != 0) {
            unsure = true; // a link that leads nowhere, or a file gone meanwhile
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            walk(folder + QLatin1Char('/') + name, prefix + name + QLatin1Char('/'), entered, files,
                 unsure);
        } else if (S_ISREG(st.st_mode)) {
            ContentIndexStore::File file;
            file.Name = prefix + name;
            file.Size = st.st_size;
            file.ModifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
            files.append(file);
        }
    }
}

} // namespace

bool ContentIndexer::scan(const QString& key, FolderScan& folder) {
    QHash<QString, ContentIndexStore::File> indexed;
    if (folder.Id >= 0 && !m_store.LoadFiles(folder.Id, indexed))
        return false;
    if (folder.Remove) {
        for (const auto& file : std::as_const(indexed))
            folder.Gone.append(file.Id);
        return true;
    }
    QList<ContentIndexStore::File> files;
    QSet<FolderId> entered;
    const QString root = QDir::cleanPath(QDir::fromNativeSeparators(m_base.FilesRoot));
    walk(root + QLatin1Char('/') + key, QString(), entered, files, folder.AlwaysWalk);
    for (ContentIndexStore::File& file : files) {
        const auto old = indexed.constFind(file.Name);
        if (old != indexed.constEnd()) {
            const bool same = old->Size == file.Size && old->ModifiedNs == file.ModifiedNs;
            const qint64 oldId = old->Id;
            indexed.erase(old);
            if (same)
                continue;
            file.Id = oldId;
        }
        folder.Read.append({file});
    }
    for (const auto& file : std::as_const(indexed))
        folder.Gone.append(file.Id);
    return true;
}

ContentIndexer::Result ContentIndexer::UpdateAll() {
    return update(std::nullopt);
}

ContentIndexer::Result ContentIndexer::UpdateFolders(const QStringList& folders) {
    return update(folders);
}

ContentIndexer::Result ContentIndexer::update(const std::optional<QStringList>& only) {
    if (!m_store.OpenForUpdate(m_base.DatabasePath, m_documentText))
        return fail(m_store.ErrorText());
    const std::optional<QStringList> materials = MaterialFolders();
    if (!materials)
        return Result::Failed;
    QHash<QString, ContentIndexStore::Folder> indexed;
    if (!m_store.LoadFolders(indexed))
        return fail(m_store.ErrorText());

    const QSet<QString> live(materials->begin(), materials->end());
    const QStringList targets = only ? *only : withGoneFolders(*materials, live, indexed);
    QList<FolderScan> folders;
    QSet<QString> stale;
    QStringList fresh;
    qint64 total = 0;
    for (const QString& key : std::as_const(targets)) {
        FolderScan folder = FolderScan::Of(key, live, indexed);
        if (folder.Remove && folder.Id < 0)
            continue; // neither a material's folder nor in the index
        const auto old = indexed.constFind(key);
        if (!scan(key, folder))
            return fail(m_store.ErrorText());
        if (m_control.Stop.load())
            return Result::Stopped;
        if (!folder.Stale() && folder.AlwaysWalk == old->AlwaysWalk) {
            fresh.append(key);
            continue;
        }
        for (const FileState& file : std::as_const(folder.Read))
            total += file.File.Size;
        stale.insert(key);
        folders.append(std::move(folder));
    }
    if (m_control.Compared)
        m_control.Compared(stale);
    if (m_control.FolderDone) {
        for (const QString& key : std::as_const(fresh))
            m_control.FolderDone(key);
    }
    return index(folders, total);
}

bool ContentIndexer::waitWhilePaused() {
    while (m_control.Pause.load() && !m_control.Stop.load())
        QThread::msleep(50);
    return !m_control.Stop.load();
}

ContentIndexer::Result ContentIndexer::index(QList<FolderScan>& folders, qint64 total) {
    const QString root = QDir::cleanPath(QDir::fromNativeSeparators(m_base.FilesRoot));
    qint64 done = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    auto progress = [&](bool force) {
        if (m_control.Progress && (force || sinceProgress.elapsed() >= kProgressMs)) {
            m_control.Progress(done, total);
            sinceProgress.restart();
        }
    };

    // The open batch: committed before waiting, stopping or returning.
    bool open = false;
    qint64 batchBytes = 0;
    int batchFiles = 0;
    QElapsedTimer batchTime;
    auto commit = [&] {
        if (!open)
            return true;
        open = false;
        return m_store.Commit();
    };
    auto step = [&](qint64 bytes) {
        if (!open) {
            if (!m_store.Begin())
                return false;
            open = true;
            batchBytes = 0;
            batchFiles = 0;
            batchTime.start();
        }
        batchBytes += bytes;
        ++batchFiles;
        if (batchBytes >= kBatchBytes || batchFiles >= kBatchFiles ||
            batchTime.elapsed() >= kBatchMs)
            return commit();
        return true;
    };
    auto checkControl = [&] {
        if (!m_control.Pause.load() && !m_control.Stop.load())
            return true;
        if (!commit())
            return false;
        return waitWhilePaused();
    };

    progress(true);
    for (FolderScan& folder : folders) {
        if (folder.Remove) {
            if (!step(0) || !m_store.RemoveFolder(folder.Id))
                return fail(m_store.ErrorText());
            continue;
        }
        if (folder.Id < 0) {
            if (!step(0))
                return fail(m_store.ErrorText());
            const std::optional<qint64> id = m_store.AddFolder(folder.Key);
            if (!id)
                return fail(m_store.ErrorText());
            folder.Id = *id;
        } else if (folder.Checked != 0) {
            // Until its last file is in, a search must not trust the folder.
            if (!step(0) || !m_store.SetFolderChecked(folder.Id, 0, folder.AlwaysWalk))
                return fail(m_store.ErrorText());
        }
        for (const qint64 gone : std::as_const(folder.Gone)) {
            if (!step(0) || !m_store.RemoveFile(gone))
                return fail(m_store.ErrorText());
        }
        const QString base = root + QLatin1Char('/') + folder.Key + QLatin1Char('/');
        for (const FileState& file : std::as_const(folder.Read)) {
            if (!checkControl()) {
                if (m_control.Stop.load() && commit())
                    return Result::Stopped;
                return fail(m_store.ErrorText());
            }
            const std::optional<QString> text =
                SearchableText::Read(base + file.File.Name, m_documentText);
            done += file.File.Size;
            if (!text) {
                // Not read now, perhaps readable later: the search reads
                // the folder itself rather than trust an index without it.
                folder.AlwaysWalk = true;
                if (file.File.Id >= 0 && (!step(0) || !m_store.RemoveFile(file.File.Id)))
                    return fail(m_store.ErrorText());
                continue;
            }
            if (!step(text->size()) ||
                !m_store.PutFile(folder.Id, file.File, CaseFold::Folded(*text), file.File.Id))
                return fail(m_store.ErrorText());
            progress(false);
        }
        if (!step(0) || !m_store.SetFolderChecked(folder.Id, QDateTime::currentMSecsSinceEpoch(),
                                                  folder.AlwaysWalk))
            return fail(m_store.ErrorText());
        if (m_control.FolderDone) {
            if (!commit())
                return fail(m_store.ErrorText());
            m_control.FolderDone(folder.Key);
        }
    }
    if (!commit())
        return fail(m_store.ErrorText());
    progress(true);
    return Result::Done;
}

std::optional<ContentIndexer::Staleness> ContentIndexer::Check() {
    // Without an index every file is still to be read.
    const bool exists = ContentIndexStore::Exists(m_base.DatabasePath);
    if (exists && !m_store.OpenExisting(m_base.DatabasePath))
        return std::nullopt;
    const std::optional<QStringList> materials = MaterialFolders();
    QHash<QString, ContentIndexStore::Folder> indexed;
    if (!materials || (exists && !m_store.LoadFolders(indexed)))
        return std::nullopt;
    Staleness staleness;
    const QSet<QString> live(materials->begin(), materials->end());
    for (const QString& key : withGoneFolders(*materials, live, indexed)) {
        FolderScan folder = FolderScan::Of(key, live, indexed);
        if (!scan(key, folder))
            return std::nullopt;
        if (folder.Stale() && !(folder.Remove && folder.Id < 0))
            staleness.StaleFolders.insert(key);
        staleness.StaleFiles += folder.Read.size() + folder.Gone.size();
    }
    return staleness;
}
