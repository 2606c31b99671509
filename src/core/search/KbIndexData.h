#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class Database;

// Texts one after another in one block, with where each starts, so a search
// scans them all with one substring search and tells from the offset of a hit
// whose text it is.
struct KbTextBlock {
    QByteArray bytes;
    std::vector<quint32> starts{0}; // one more than there are texts

    void append(QByteArrayView text);
    qsizetype count() const { return qsizetype(starts.size()) - 1; }
    QByteArrayView at(qsizetype i) const {
        return QByteArrayView(bytes).sliced(starts[i], starts[i + 1] - starts[i]);
    }
    // The text that holds byte offset (which lies inside the block).
    qsizetype entryAt(qsizetype offset) const;
    qsizetype memoryBytes() const;
};

// What the knowledge-base search reads of one base, as the file held it at
// one data version: the live materials in ascending id with their names,
// item codes and creation times as stored, and the keywords of those
// materials. Never changed once loaded, so searches on several threads read
// it at once. The names and keywords folded to UTF-16, which only queries
// with letters of more than one spelling need, are made on first use.
class KbIndexData {
public:
    // Null when a statement fails or the stop is requested on the way.
    static std::shared_ptr<KbIndexData> load(Database& database, const std::atomic<bool>& stop);

    qint64 dataVersion() const { return m_version; }
    qsizetype materialCount() const { return qsizetype(m_ids.size()); }
    qint64 id(qsizetype material) const { return m_ids[material]; }
    const KbTextBlock& names() const { return m_names; }
    const KbTextBlock& codes() const { return m_codes; }
    const KbTextBlock& times() const { return m_times; }
    const KbTextBlock& keywords() const { return m_keywords; }
    // The material of keyword k.
    qsizetype owner(qsizetype keyword) const { return m_owners[keyword]; }

    // Each name and keyword decoded and case-folded unit by unit as
    // KbQueryMatcher::MatchesText compares, as UTF-16 bytes.
    const KbTextBlock& foldedNames() const;
    const KbTextBlock& foldedKeywords() const;

    // The memory the index holds now.
    qsizetype memoryBytes() const;

private:
    void fold() const;

    qint64 m_version = 0;
    std::vector<qint64> m_ids;
    KbTextBlock m_names, m_codes, m_times, m_keywords;
    std::vector<qint32> m_owners;
    mutable std::once_flag m_folding;
    mutable KbTextBlock m_foldedNames, m_foldedKeywords;
    mutable std::atomic<bool> m_folded{false};
};
