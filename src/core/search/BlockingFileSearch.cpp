#include "BlockingFileSearch.h"

#include "FileSearchEngine.h"
#include "FileSearchSink.h"
#include "FileSearchText.h"
#include "Prompter.h"
#include "SilentPrompter.h"
#include "db/Database.h"
#include "store/KnowledgeStore.h"

namespace {

class DirectSink : public FileSearchSink {
public:
    DirectSink(Prompter& prompter, const BlockingFileSearch::RowOut& rowOut)
        : m_prompter(prompter), m_rowOut(rowOut) {}

    void AddRow(const FileSearchRow& row) override { m_rowOut(row); }
    void TotalsChanged(const FileSearchTotals&) override {}
    bool AskContinue(const QString& question) override {
        return m_prompter.message(question, QStringLiteral("警告"), Prompter::Icon::Warning,
                                  Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
    }
    void Tell(const QString& text, const QString& caption) override {
        m_prompter.message(text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
    }

private:
    Prompter& m_prompter;
    const BlockingFileSearch::RowOut& m_rowOut;
};

} // namespace

FileSearchTotals BlockingFileSearch::Run(const SearchRequest& request,
                                         const CurrentKnowledgeBase& base, Prompter& prompter,
                                         const RowOut& rowOut, const std::atomic<bool>* stop,
                                         const ContentIndexUse& index) {
    rowOut({1, Header(request, base)});
    DirectSink sink(prompter, rowOut);
    const std::atomic<bool> never{false};
    FileSearchEngine engine(request, base, sink, stop ? *stop : never);
    engine.SetContentIndex(index);
    return engine.Run();
}

QString BlockingFileSearch::Header(const SearchRequest& request, const CurrentKnowledgeBase& base) {
    Database database;
    const bool open = database.Open(base.DatabasePath);
    SilentPrompter silent;
    KnowledgeStore store(database, silent);
    auto nameOf = [&](const QString& code) {
        ItemRecord item;
        return open && store.LoadItem(code, item) ? item.ItemName : QString();
    };
    return FileSearchText::Header(request.QueryText, request.ScopeCode, base.Name, nameOf);
}
