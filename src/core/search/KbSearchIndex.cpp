#include "KbSearchIndex.h"

#include "KbIndexData.h"
#include "db/Database.h"
#include "db/PreparedStatement.h"
#include "store/KbIndexQuery.h"

#include <QFile>

#include <sys/stat.h>

KbSearchIndex::KbSearchIndex(const QString& databasePath) : m_path(databasePath) {}

KbSearchIndex::~KbSearchIndex() = default;

bool KbSearchIndex::serves(const SearchRequest& request) {
    return request.Kind >= 1 && request.Kind <= 7 && (request.Kind & 3);
}

std::optional<KbSearchIndex::FileIdentity> KbSearchIndex::identityOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino)};
}

bool KbSearchIndex::isCurrent() {
    PreparedStatement statement(*m_database);
    return statement.Prepare(KbIndexQuery::dataVersion()) && statement.Next() &&
           statement.Int64(0) == m_data->dataVersion();
}

std::shared_ptr<const KbIndexData> KbSearchIndex::current(const std::atomic<bool>& stop) {
    const std::lock_guard lock(m_mutex);
    // A file put in the place of the open one (a backup restored, a synced
    // copy) is another database: the old connection would still read the
    // file it opened.
    const std::optional<FileIdentity> file = identityOf(m_path);
    if (!file)
        return nullptr;
    if (!m_database || *file != m_file) {
        m_data.reset();
        m_database = std::make_unique<Database>();
        if (!m_database->Open(m_path)) {
            m_database.reset();
            return nullptr;
        }
        m_file = *file;
    }
    if (m_data && isCurrent())
        return m_data;
    m_data.reset();
    std::shared_ptr<const KbIndexData> data = KbIndexData::load(*m_database, stop);
    if (!data)
        return nullptr;
    ++m_loads;
    m_data = data;
    return data;
}
