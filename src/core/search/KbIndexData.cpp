#include "KbIndexData.h"

#include "CaseFold.h"
#include "db/PreparedStatement.h"
#include "store/KbIndexQuery.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// How many rows are read between two looks at the stop flag.
constexpr int kStopEvery = 4096;

std::optional<qint64> readDataVersion(Database& database) {
    PreparedStatement statement(database);
    if (!statement.Prepare(KbIndexQuery::dataVersion()) || !statement.Next())
        return std::nullopt;
    return statement.Int64(0);
}

bool execute(Database& database, const QString& sql) {
    PreparedStatement statement(database);
    if (!statement.Prepare(sql))
        return false;
    statement.Next();
    return !statement.Failed();
}

void appendFolded(KbTextBlock& block, QByteArrayView utf8) {
    const QString folded = CaseFold::Folded(QString::fromUtf8(utf8));
    block.append(QByteArrayView(reinterpret_cast<const char*>(folded.utf16()), folded.size() * 2));
}

} // namespace

void KbTextBlock::append(QByteArrayView text) {
    bytes.append(text);
    starts.push_back(quint32(bytes.size()));
}

qsizetype KbTextBlock::entryAt(qsizetype offset) const {
    // The last start at or before the offset: empty texts before it share
    // its start and hold no byte.
    const auto it = std::upper_bound(starts.cbegin(), starts.cend(), quint32(offset));
    return qsizetype(it - starts.cbegin()) - 1;
}

qsizetype KbTextBlock::memoryBytes() const {
    return bytes.capacity() + qsizetype(starts.capacity() * sizeof(quint32));
}

std::shared_ptr<KbIndexData> KbIndexData::load(Database& database, const std::atomic<bool>& stop) {
    auto data = std::make_shared<KbIndexData>();
    // One read transaction: the version and both tables are of one state of
    // the file, whatever other connections commit meanwhile.
    if (!execute(database, KbIndexQuery::beginRead()))
        return nullptr;
    bool ok = false;
    {
        PreparedStatement materialRows(database);
        PreparedStatement keywordRows(database);
        if (materialRows.Prepare(KbIndexQuery::materials())) {
            int sinceStop = 0;
            ok = true;
            while (materialRows.Next()) {
                if (++sinceStop == kStopEvery) {
                    sinceStop = 0;
                    if (stop.load(std::memory_order_relaxed)) {
                        ok = false;
                        break;
                    }
                }
                data->m_ids.push_back(materialRows.Int64(0));
                data->m_names.append(materialRows.Text(1));
                data->m_codes.append(materialRows.Text(2));
                data->m_times.append(materialRows.Text(3));
            }
            ok = ok && !materialRows.Failed();
        }
        // Read once the first statement has begun the transaction, so it is
        // the version of what was read.
        const std::optional<qint64> version = ok ? readDataVersion(database) : std::nullopt;
        ok = ok && version;
        if (ok)
            data->m_version = *version;
        // A keyword finds its material by id; ids are unique, and the first
        // material of an id takes its keywords should a damaged file repeat
        // one.
        std::vector<std::pair<qint64, qint32>> byId;
        if (ok) {
            byId.reserve(data->m_ids.size());
            for (qsizetype i = 0; i < qsizetype(data->m_ids.size()); ++i)
                byId.emplace_back(data->m_ids[i], qint32(i));
            std::sort(byId.begin(), byId.end());
            ok = keywordRows.Prepare(KbIndexQuery::keywords());
        }
        int sinceStop = 0;
        while (ok && keywordRows.Next()) {
            if (++sinceStop == kStopEvery) {
                sinceStop = 0;
                if (stop.load(std::memory_order_relaxed))
                    ok = false;
            }
            const qint64 id = keywordRows.Int64(0);
            const auto at =
                std::lower_bound(byId.cbegin(), byId.cend(), std::pair<qint64, qint32>(id, 0));
            if (at == byId.cend() || at->first != id)
                continue; // a keyword of a material in the recycle bin
            data->m_owners.push_back(at->second);
            data->m_keywords.append(keywordRows.Text(1));
        }
        ok = ok && !keywordRows.Failed();
    }
    // Ending a read transaction cannot lose anything; its failure only
    // means the next statement starts one of its own.
    execute(database, KbIndexQuery::endRead());
    if (!ok)
        return nullptr;
    // Held for as long as the base is open: give back what growing left.
    for (KbTextBlock* block : {&data->m_names, &data->m_codes, &data->m_times, &data->m_keywords}) {
        block->bytes.squeeze();
        block->starts.shrink_to_fit();
    }
    data->m_ids.shrink_to_fit();
    data->m_owners.shrink_to_fit();
    return data;
}

void KbIndexData::fold() const {
    std::call_once(m_folding, [this] {
        m_foldedNames.bytes.reserve(m_names.bytes.size() * 2);
        for (qsizetype i = 0; i < m_names.count(); ++i)
            appendFolded(m_foldedNames, m_names.at(i));
        m_foldedKeywords.bytes.reserve(m_keywords.bytes.size() * 2);
        for (qsizetype i = 0; i < m_keywords.count(); ++i)
            appendFolded(m_foldedKeywords, m_keywords.at(i));
        m_folded.store(true);
    });
}

const KbTextBlock& KbIndexData::foldedNames() const {
    fold();
    return m_foldedNames;
}

const KbTextBlock& KbIndexData::foldedKeywords() const {
    fold();
    return m_foldedKeywords;
}

qsizetype KbIndexData::memoryBytes() const {
    qsizetype bytes = qsizetype(m_ids.capacity() * sizeof(qint64)) +
                      qsizetype(m_owners.capacity() * sizeof(qint32)) + m_names.memoryBytes() +
                      m_codes.memoryBytes() + m_times.memoryBytes() + m_keywords.memoryBytes();
    if (m_folded.load())
        bytes += m_foldedNames.memoryBytes() + m_foldedKeywords.memoryBytes();
    return bytes;
}
