#include "BlockingKbSearch.h"

#include "KbSearchEngine.h"
#include "KbSearchText.h"
#include "Prompter.h"
#include "db/Database.h"

qint64 BlockingKbSearch::Run(const SearchRequest& request, const CurrentKnowledgeBase& base,
                             Prompter& prompter, const RowOut& rowOut,
                             const std::atomic<bool>* stop) {
    rowOut(KbSearchText::Header(request.Kind, request.QueryText));
    qint64 found = 0;
    Database database;
    if (database.Open(base.DatabasePath)) {
        const std::atomic<bool> never{false};
        KbSearchEngine engine(request, database, stop ? *stop : never, rowOut);
        found = engine.Run();
    } else {
        prompter.error(QStringLiteral("数据库没有打开或已经关闭!"));
    }
    rowOut(KbSearchText::Count(found));
    return found;
}
