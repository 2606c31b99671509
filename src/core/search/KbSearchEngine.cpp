#include "KbSearchEngine.h"

#include "KbSearchText.h"
#include "db/PreparedStatement.h"
#include "store/KbCandidateQuery.h"

#include <algorithm>
#include <vector>

// Text order on UTF-8 is code point order, the order of the time texts.
bool KbSearchEngine::timeInRange(QByteArrayView time, QByteArrayView from, QByteArrayView to) {
    if (!from.empty() && time.compare(from) < 0)
        return false;
    // Only the date part is held against the end day, so a material made at
    // any hour of that day is in the range.
    return to.empty() || time.first(std::min(time.size(), to.size())).compare(to) <= 0;
}

KbSearchEngine::KbSearchEngine(const SearchRequest& request, Database& database,
                               const std::atomic<bool>& stop, RowOut rowOut)
    : m_request(request), m_database(database), m_stop(stop), m_rowOut(std::move(rowOut)),
      m_matcher(request.QueryText), m_fromDate(request.FromDate.toUtf8()),
      m_toDate(request.ToDate.toUtf8()) {}

bool KbSearchEngine::TimeMatches(QStringView createTime, const QString& from, const QString& to) {
    return timeInRange(createTime.toUtf8(), from.toUtf8(), to.toUtf8());
}

QList<KbSearchEngine::Batch> KbSearchEngine::KeywordBatches(qsizetype n) {
    QList<Batch> batches;
    if (n <= 0)
        return batches;
    const qsizetype full = n / kBatchSize;
    if (full == 0)
        return {{0, n}};
    for (qsizetype b = 0; b < full; ++b)
        batches.append({b * kBatchSize, kBatchSize});
    batches.last().count += n % kBatchSize;
    return batches;
}

bool KbSearchEngine::stopRequested() {
    if (m_stop.load(std::memory_order_relaxed))
        m_stopped = true;
    return m_stopped;
}

bool KbSearchEngine::timeMatches(QByteArrayView createTime) const {
    return timeInRange(createTime, m_fromDate, m_toDate);
}

void KbSearchEngine::report(const Candidate& c) {
    ++m_found;
    m_rowOut(KbSearchText::Row(QString::number(c.id),
                               QString::fromUtf8(m_names.constData() + c.nameOffset, c.nameBytes)));
}

bool KbSearchEngine::load() {
    QString sql, parameter;
    if (!KbCandidateQuery::Statement(m_request.ScopeCode, sql, parameter))
        return false;
    PreparedStatement statement(m_database);
    if (!statement.Prepare(sql) || (!parameter.isEmpty() && !statement.Bind(1, parameter)))
        return false;
    const bool byName = m_request.Kind & 1;
    const bool byKeyword = m_request.Kind & 2;
    const bool byTime = m_request.Kind & 4;
    // The rules are applied as the rows come; the walk below only lists, in
    // its own order.
    while (statement.Next()) {
        Candidate c;
        c.id = statement.Int64(0);
        const QByteArrayView name = statement.Text(1);
        c.nameOffset = m_names.size();
        c.nameBytes = name.size();
        m_names.append(name);
        const bool inTime = !byTime || timeMatches(statement.Text(2));
        // Candidates listed by name are not searched by keyword again; those
        // outside the time range are not searched at all.
        c.listed = inTime && (byName ? m_matcher.Matches(name) : !byKeyword);
        c.kept = byKeyword && inTime && !c.listed;
        m_candidates.append(c);
    }
    // A statement that fails half-way lists nothing, as if it had failed at
    // once.
    if (statement.Failed()) {
        m_candidates.clear();
        return false;
    }
    return true;
}

qint64 KbSearchEngine::Run() {
    m_found = 0;
    m_candidates.clear();
    m_names.clear();
    // Kind 0 would pass every candidate by the rules below.
    if (m_request.Kind < 1 || m_request.Kind > 7)
        return 0;
    if (!load() || m_candidates.isEmpty())
        return 0;

    QList<qsizetype> kept;
    if (m_request.Kind == 2) {
        kept.reserve(m_candidates.size());
        for (qsizetype i = 0; i < m_candidates.size(); ++i)
            kept.append(i);
    } else {
        for (qsizetype i = m_candidates.size() - 1; i >= 0; --i) {
            if (stopRequested())
                break;
            const Candidate& c = m_candidates.at(i);
            if (c.listed)
                report(c);
            else if (c.kept)
                kept.append(i);
        }
        std::reverse(kept.begin(), kept.end());
    }
    if (m_request.Kind & 2)
        keywordPhase(kept);
    return m_found;
}

void KbSearchEngine::keywordPhase(const QList<qsizetype>& kept) {
    std::vector<bool> listed(m_candidates.size(), false);
    PreparedStatement statement(m_database);
    qsizetype prepared = 0;                         // the batch size the statement takes
    std::vector<std::pair<qint64, qsizetype>> byId; // of the batch, to find a row's candidate
    QList<qsizetype> hits;
    for (const Batch& batch : KeywordBatches(kept.size())) {
        if (stopRequested())
            return;
        ++m_keywordStatements;
        if (prepared != batch.count) {
            prepared = statement.Prepare(KbCandidateQuery::KeywordsStatement(int(batch.count)))
                           ? batch.count
                           : 0;
        } else {
            statement.Reset();
        }
        byId.clear();
        for (qsizetype k = batch.first; k < batch.first + batch.count; ++k) {
            const qsizetype index = kept.at(k);
            statement.Bind(int(k - batch.first + 1), m_candidates.at(index).id);
            byId.push_back({m_candidates.at(index).id, index});
        }
        std::sort(byId.begin(), byId.end());
        hits.clear();
        while (statement.Next()) {
            if (!m_matcher.Matches(statement.Text(1)))
                continue;
            const qint64 id = statement.Int64(0);
            const auto at =
                std::lower_bound(byId.cbegin(), byId.cend(), std::pair<qint64, qsizetype>(id, 0));
            if (at == byId.cend() || at->first != id)
                continue;
            const qsizetype index = at->second;
            if (!listed[index]) {
                listed[index] = true;
                hits.append(index);
            }
        }
        // A failing statement loses its own batch and nothing else.
        if (statement.Failed()) {
            for (qsizetype index : std::as_const(hits))
                listed[index] = false;
            prepared = 0; // a reset would only repeat the failure
            continue;
        }
        for (qsizetype index : std::as_const(hits))
            report(m_candidates.at(index));
    }
}
