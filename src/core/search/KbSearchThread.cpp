#include "KbSearchThread.h"

#include "KbIndexSearch.h"
#include "KbSearchEngine.h"
#include "KbSearchIndex.h"
#include "KbSearchText.h"
#include "db/Database.h"

#include <QElapsedTimer>

KbSearchThread::KbSearchThread(const SearchRequest& request, const CurrentKnowledgeBase& base,
                               quint64 generation, std::shared_ptr<KbSearchIndex> index,
                               QObject* parent)
    : QThread(parent), m_request(request), m_base(base), m_generation(generation),
      m_index(std::move(index)) {}

KbSearchThread::~KbSearchThread() {
    RequestStop();
    wait();
}

void KbSearchThread::run() {
    QStringList rows;
    QElapsedTimer sinceFlush;
    sinceFlush.start();
    const auto flush = [&] {
        if (!rows.isEmpty())
            emit rowsAdded(m_generation, m_request.ResultWindow, rows);
        rows.clear();
        sinceFlush.restart();
    };
    // A queued signal per row would flood the receiver on a search that
    // lists most of a large base.
    const auto rowOut = [&](const QString& row) {
        rows.append(row);
        if (rows.size() >= 1000 || sinceFlush.elapsed() >= 50)
            flush();
    };
    qint64 found = 0;
    bool answered = false;
    if (m_index && KbSearchIndex::serves(m_request)) {
        if (const auto data = m_index->current(m_stop)) {
            found = KbIndexSearch::run(*data, m_request, m_stop, rowOut);
            answered = true;
        } else {
            answered = m_stop.load(); // stopped while the index was read
        }
    }
    // A base the index cannot read is searched, and its failure told, as
    // without one.
    if (!answered) {
        // A connection of the search's own: the GUI thread's statements on
        // the base never have to wait for this one, nor this one for them.
        Database database;
        if (database.Open(m_base.DatabasePath)) {
            KbSearchEngine engine(m_request, database, m_stop, rowOut);
            found = engine.Run();
        } else {
            emit failureReported(m_generation, QStringLiteral("数据库没有打开或已经关闭!"),
                                 QStringLiteral("错误"));
        }
    }
    rows.append(KbSearchText::Count(found));
    flush();
    emit searchEnded(m_generation, found);
}
