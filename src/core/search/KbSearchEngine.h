#pragma once

#include "KbQueryMatcher.h"
#include "SearchRequest.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <atomic>
#include <functional>

class Database;

// One knowledge-base search from the candidates to the last row, on the
// calling thread and on a database connection the caller opened for it.
// The kind is the sum of 1 (name), 2 (keyword) and 4 (creation time). The
// candidates of the scope are walked from the highest material id down and
// the name and time rules decide which are listed at once; a keyword search
// then sends the ids left, ascending, in statements of 200 and lists every
// material with a matching keyword once, in the order the rows come.
//
// The stop flag is read before every candidate of the walk and before every
// keyword statement. The header and the count line are the caller's.
class KbSearchEngine {
public:
    using RowOut = std::function<void(const QString& row)>;

    KbSearchEngine(const SearchRequest& request, Database& database, const std::atomic<bool>& stop,
                   RowOut rowOut);

    // The number of rows listed. A scope that cannot be read lists nothing.
    qint64 Run();

    bool Stopped() const { return m_stopped; }
    int KeywordStatements() const { return m_keywordStatements; }

    // The time rule on the stored time text: from is a lower bound on the
    // text, to takes in the whole of its day; an empty bound is no bound.
    static bool TimeMatches(QStringView createTime, const QString& from, const QString& to);
    // The same on the stored UTF-8 and the dates' UTF-8.
    static bool timeInRange(QByteArrayView createTime, QByteArrayView from, QByteArrayView to);

    static constexpr qsizetype kBatchSize = 200;
    struct Batch {
        qsizetype first = 0;
        qsizetype count = 0;
        bool operator==(const Batch&) const = default;
    };
    // n ids in statements of 200; the last statement also takes the ids
    // left over (450 ids: 200, then 250), so none is ever sent alone.
    static QList<Batch> KeywordBatches(qsizetype n);

private:
    struct Candidate {
        qint64 id = 0;
        qsizetype nameOffset = 0; // UTF-8 in m_names
        qsizetype nameBytes = 0;
        bool listed = false; // by the walk
        bool kept = false;   // for the keywords
    };

    bool load();
    bool timeMatches(QByteArrayView createTime) const;
    bool stopRequested();
    void report(const Candidate& candidate);
    // kept: indexes into m_candidates, ascending.
    void keywordPhase(const QList<qsizetype>& kept);

    const SearchRequest m_request;
    Database& m_database;
    const std::atomic<bool>& m_stop;
    RowOut m_rowOut;
    KbQueryMatcher m_matcher;
    QByteArray m_fromDate; // UTF-8 of the request's dates
    QByteArray m_toDate;
    QList<Candidate> m_candidates;
    QByteArray m_names;
    qint64 m_found = 0;
    bool m_stopped = false;
    int m_keywordStatements = 0;
};
