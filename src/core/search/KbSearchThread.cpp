#include "KbSearchThread.h"

#include "KbSearchEngine.h"
#include "KbSearchText.h"
#include "db/Database.h"

#include <QElapsedTimer>

KbSearchThread::KbSearchThread(const SearchRequest& request, const CurrentKnowledgeBase& base,
                               quint64 generation, QObject* parent)
    : QThread(parent), m_request(request), m_base(base), m_generation(generation) {}

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
    qint64 found = 0;
    {
        // A connection of the search's own: the GUI thread's statements on
        // the base never have to wait for this one, nor this one for them.
        Database database;
        if (database.Open(m_base.DatabasePath)) {
            // A queued signal per row would flood the receiver on a search
            // that lists most of a large base.
            KbSearchEngine engine(m_request, database, m_stop, [&](const QString& row) {
                rows.append(row);
                if (rows.size() >= 1000 || sinceFlush.elapsed() >= 50)
                    flush();
            });
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
