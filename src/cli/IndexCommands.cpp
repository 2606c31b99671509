#include "CliCommands.h"
#include "CliContext.h"

#include "config/Profile.h"
#include "search/ContentIndexer.h"
#include "search/FileSearchPreferences.h"
#include "store/ContentIndexStore.h"

#include <cstdio>
#include <unistd.h>

namespace {

int build(CliContext& context) {
    const CurrentKnowledgeBase& base = context.workspace().currentBase();
    ContentIndexControl control;
    // On a terminal the line is redrawn as it goes; elsewhere only the start
    // and the end are written, so logs and tests read the same every time.
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    qint64 lastTotal = -1;
    control.Progress = [&](qint64 done, qint64 total) {
        const bool edge = done == 0 || done == total;
        if (!terminal && !edge)
            return;
        if (!terminal && done == 0 && total == lastTotal)
            return;
        lastTotal = total;
        std::fprintf(stderr, terminal ? "\r索引: %lld/%lld 字节" : "索引: %lld/%lld 字节\n",
                     static_cast<long long>(done), static_cast<long long>(total));
        std::fflush(stderr);
    };
    ContentIndexer indexer(base, cliDocumentText(), control);
    const ContentIndexer::Result result = indexer.UpdateAll();
    if (terminal)
        std::fprintf(stderr, "\n");
    if (result != ContentIndexer::Result::Done)
        return cliFail(context, QStringLiteral("内容索引 '%1' 没有建成!\n%2")
                                    .arg(ContentIndexStore::PathFor(base.DatabasePath),
                                         indexer.ErrorText().trimmed()));
    return 0;
}

int status(CliContext& context) {
    const CurrentKnowledgeBase& base = context.workspace().currentBase();
    ContentIndexControl control;
    ContentIndexer indexer(base, cliDocumentText(), control);
    const std::optional<ContentIndexer::Staleness> staleness = indexer.Check();
    ContentIndexStore store;
    const bool exists = ContentIndexStore::Exists(base.DatabasePath);
    if (!staleness || (exists && !store.OpenExisting(base.DatabasePath)))
        return cliFail(context, QStringLiteral("内容索引 '%1' 无法读取!")
                                    .arg(ContentIndexStore::PathFor(base.DatabasePath)));
    const std::optional<qint64> files = exists ? store.FileCount() : std::optional<qint64>(0);
    if (!files)
        return cliFail(context, QStringLiteral("内容索引 '%1' 无法读取!")
                                    .arg(ContentIndexStore::PathFor(base.DatabasePath)));
    context.line(QString::number(*files));
    context.line(QString::number(staleness->StaleFiles));
    context.line(QString::number(store.SizeOnDisk()));
    return 0;
}

} // namespace

int cliIndex(CliContext& context, const QStringList& args) {
    if (args.size() != 1)
        return 2;
    const QString& action = args.first();
    if (action != QLatin1String("build") && action != QLatin1String("status") &&
        action != QLatin1String("drop"))
        return 2;
    if (!context.openBase())
        return 1;
    if (action == QLatin1String("build"))
        return build(context);
    if (action == QLatin1String("status"))
        return status(context);
    const QString& databasePath = context.workspace().currentBase().DatabasePath;
    if (!ContentIndexStore::Remove(databasePath))
        return cliFail(context, QStringLiteral("内容索引 '%1' 无法删除!")
                                    .arg(ContentIndexStore::PathFor(databasePath)));
    return 0;
}

bool cliDocumentText() {
    Profile profile;
    return FileSearchPreferences(profile).documentText();
}
