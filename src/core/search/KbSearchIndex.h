#pragma once

#include "SearchRequest.h"

#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

class Database;
class KbIndexData;

// The knowledge-base search's copy of one base's names and keywords, kept
// for as long as the base is open so that a search scans memory instead of
// reading the whole catalogue again. It has a read connection of its own to
// the file and never answers from an old state: before every search it asks
// that connection whether any other connection (this program's, another
// window's, keepsake-cli's) has committed since the copy was read, and
// whether the file is still the one it opened, and reads everything again
// when so. The catalogue itself is never changed by it.
//
// Searches on several worker threads may use it at once; one at a time
// checks and reloads, the others wait for that and then share the copy.
// The window's thread only makes it and lets go of it; the reading happens
// on the searches' threads.
class KbSearchIndex {
public:
    explicit KbSearchIndex(const QString& databasePath);
    ~KbSearchIndex();
    KbSearchIndex(const KbSearchIndex&) = delete;
    KbSearchIndex& operator=(const KbSearchIndex&) = delete;

    const QString& databasePath() const { return m_path; }

    // The copy as the file holds it now. Null when the file cannot be
    // opened or read, or when stop is requested while it is read again.
    std::shared_ptr<const KbIndexData> current(const std::atomic<bool>& stop);

    // True for the searches the copy answers faster than the database: those
    // by name or keyword. A search by time alone reads no text to scan.
    static bool serves(const SearchRequest& request);

    // How many times the copy has been read, for the benchmark.
    int loads() const { return m_loads.load(); }

private:
    struct FileIdentity {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const FileIdentity&) const = default;
    };
    static std::optional<FileIdentity> identityOf(const QString& path);
    bool isCurrent();

    const QString m_path;
    std::mutex m_mutex;
    std::unique_ptr<Database> m_database;
    FileIdentity m_file;
    std::shared_ptr<const KbIndexData> m_data;
    std::atomic<int> m_loads{0};
};
