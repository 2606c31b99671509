#include "BlockingKbSearch.h"

#include "KbIndexSearch.h"
#include "KbSearchEngine.h"
#include "KbSearchIndex.h"
#include "KbSearchText.h"
#include "Prompter.h"
#include "db/Database.h"

qint64 BlockingKbSearch::Run(const SearchRequest& request, const CurrentKnowledgeBase& base,
                             Prompter& prompter, const RowOut& rowOut,
                             const std::atomic<bool>* stop, KbSearchIndex* index) {
    rowOut(KbSearchText::Header(request.Kind, request.QueryText));
    const std::atomic<bool> never{false};
    const std::atomic<bool>& stopFlag = stop ? *stop : never;
    if (index && KbSearchIndex::serves(request)) {
        if (const auto data = index->current(stopFlag)) {
            const qint64 found = KbIndexSearch::run(*data, request, stopFlag, rowOut);
            rowOut(KbSearchText::Count(found));
            return found;
        }
    }
    qint64 found = 0;
    Database database;
    if (database.Open(base.DatabasePath)) {
        KbSearchEngine engine(request, database, stopFlag, rowOut);
        found = engine.Run();
    } else {
        prompter.error(QStringLiteral("数据库没有打开或已经关闭!"));
    }
    rowOut(KbSearchText::Count(found));
    return found;
}
