// Times the content index on the base made by keepsake-bench-makefiles:
// building it, bringing it up to date, and searches with and without it,
// against grep and rg on the same files in the same run. A file holding a
// rare word is put into one material folder for the run and taken out
// again. Searches run once to warm the page cache, then the best of --runs
// runs is kept. --reuse-index keeps an index built by an earlier run (on
// 2 GB a build takes minutes); --only runs the queries that hold its text.
//   keepsake-bench-contentindex FOLDER [--runs N] [--only TEXT] [--reuse-index]
#include "FileSearchBenchBase.h"
#include "config/TextCodec.h"
#include "search/BlockingFileSearch.h"
#include "search/ContentIndexer.h"
#include "store/ContentIndexStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double timeMs(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

double best(int runs, const std::function<void()>& work) {
    double ms = 1e18;
    for (int i = 0; i <= runs; ++i) {
        const double once = timeMs(work);
        if (i > 0)
            ms = std::min(ms, once);
    }
    return ms;
}

enum class Mode { NoIndex, Window, CommandLine };

qint64 search(const QString& query, const CurrentKnowledgeBase& base, Mode mode) {
    SearchRequest r;
    r.FileSearch = 1;
    r.ScopeCode = QStringLiteral("000000");
    r.QueryText = query;
    r.FileTypes = QStringLiteral("*.*");
    ContentIndexUse use;
    use.Enabled = mode != Mode::NoIndex;
    if (mode == Mode::CommandLine) {
        // What keepsake-cli grep does: compare sizes and times first.
        ContentIndexControl control;
        ContentIndexer indexer(base, r.DocumentText, control);
        const auto staleness = indexer.Check();
        use.Enabled = staleness.has_value();
        if (staleness)
            use.Distrusted = staleness->StaleFolders;
    }
    BenchPrompter prompter;
    qint64 lines = 0;
    BlockingFileSearch::Run(
        r, base, prompter, [&](const FileSearchRow& row) { lines += row.level == 2; }, nullptr,
        use);
    return lines;
}

double runTool(const QString& program, const QStringList& args, const QString& outFile, int runs,
               qint64& lines) {
    const double ms = best(runs, [&] {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        p.setProcessEnvironment(env);
        p.setStandardOutputFile(outFile);
        p.start(program, args);
        p.waitForFinished(-1);
    });
    QFile out(outFile);
    lines = out.open(QIODevice::ReadOnly) ? out.readAll().count('\n') : -1;
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::optional<FileSearchBenchBase> bench =
        FileSearchBenchBase::FromArguments(app.arguments());
    if (!bench)
        return 2;
    const QString& folder = bench->folder;
    const int runs = bench->runs;
    const CurrentKnowledgeBase& base = bench->base;
    const QStringList& roots = bench->roots;

    ContentIndexControl control;
    ContentIndexer indexer(base, SearchRequest().DocumentText, control);
    const std::optional<QStringList> materials = indexer.MaterialFolders();
    if (!materials || materials->isEmpty()) {
        std::fprintf(stderr, "no materials in %s\n", qPrintable(folder));
        return 1;
    }
    const QString rareFile = folder + '/' + materials->at(materials->size() / 2) + "/rare-word.txt";
    QFile::remove(rareFile);

    // Building from nothing, then an update that finds nothing to do.
    const bool reuse = app.arguments().contains(QStringLiteral("--reuse-index")) &&
                       ContentIndexStore().OpenExisting(base.DatabasePath);
    if (!reuse)
        ContentIndexStore::Remove(base.DatabasePath);
    ContentIndexer::Result result = ContentIndexer::Result::Failed;
    const double buildMs = timeMs([&] { result = indexer.UpdateAll(); });
    if (result != ContentIndexer::Result::Done) {
        std::fprintf(stderr, "index build failed: %s\n", qPrintable(indexer.ErrorText()));
        return 1;
    }
    qint64 indexBytes = 0, files = 0;
    {
        ContentIndexStore store;
        store.OpenExisting(base.DatabasePath);
        indexBytes = store.SizeOnDisk();
        files = store.FileCount().value_or(-1);
    }
    const double idleUpdateMs = best(runs, [&] {
        ContentIndexer again(base, SearchRequest().DocumentText, control);
        again.UpdateAll();
    });
    const double checkMs = best(runs, [&] {
        ContentIndexer again(base, SearchRequest().DocumentText, control);
        again.Check();
    });
    qint64 bytes = 0;
    {
        QProcess du;
        du.start("du", QStringList{"-sb"} + roots);
        du.waitForFinished(-1);
        for (const QByteArray& line : du.readAllStandardOutput().split('\n'))
            bytes += line.split('\t').value(0).toLongLong();
    }

    {
        QFile rare(rareFile);
        rare.open(QIODevice::WriteOnly);
        rare.write("a line with the zebrafinchsong in it\n");
    }
    const double oneFileMs = timeMs([&] {
        ContentIndexer again(base, SearchRequest().DocumentText, control);
        again.UpdateFolders({materials->at(materials->size() / 2)});
    });

    std::printf("content index benchmark: %.1f MB in %lld files in %s, best of %d runs\n",
                bytes / 1e6, (long long)files, qPrintable(folder), runs);
    if (reuse)
        std::printf("index of an earlier run brought up to date in %.0f ms, ", buildMs);
    else
        std::printf("index build %.0f ms (%.1f MB/s), ", buildMs, bytes / 1e3 / buildMs);
    std::printf("index %.1f MB (%.2f of the files)\n", indexBytes / 1e6,
                double(indexBytes) / double(bytes));
    std::printf("update with nothing changed %.0f ms, compare only %.0f ms, update after one "
                "new file %.0f ms\n\n",
                idleUpdateMs, checkMs, oneFileMs);
    std::printf("keepsake: no index = reads every file; window = index, folders trusted;\n"
                "cli = index after comparing sizes and times (keepsake-cli grep).\n"
                "grep -rniF with LC_ALL=C, rg -niF -uuu. ratio = keepsake time / grep time.\n"
                "The Chinese word is given to grep in GB18030 bytes, and rg is left out.\n\n");
    std::printf("%-16s %9s %9s %9s %9s %9s %11s %9s %9s %7s\n", "query", "no index", "window",
                "cli", "grep", "rg", "window/grep", "cli/grep", "window/rg", "rows");

    QTemporaryDir tmp;
    const QString out = tmp.filePath("out");
    const QString rg = QStandardPaths::findExecutable("rg");
    // A rare word, one absent whose trigrams are all common, a common word,
    // and a Chinese word of two characters, too short for the index.
    const QString chinese = QString::fromUtf8("知识");
    const QStringList queries = {QStringLiteral("zebrafinchsong"), QStringLiteral("wordnotinthere"),
                                 QStringLiteral("keepsake"), chinese};
    const QString chinesePattern = tmp.filePath(QStringLiteral("pattern"));
    {
        QFile pattern(chinesePattern);
        pattern.open(QIODevice::WriteOnly);
        pattern.write(TextCodec::encode(chinese));
    }
    for (const QString& query : queries) {
        if (!query.contains(bench->only))
            continue;
        qint64 rows = 0, indexRows = 0, cliRows = 0, grepRows = 0, rgRows = 0;
        const double plain = best(runs, [&] { rows = search(query, base, Mode::NoIndex); });
        const double window = best(runs, [&] { indexRows = search(query, base, Mode::Window); });
        const double cli = best(runs, [&] { cliRows = search(query, base, Mode::CommandLine); });
        const QStringList grepPattern =
            query == chinese ? QStringList{"-f", chinesePattern} : QStringList{"--", query};
        const double grep =
            runTool("grep", QStringList{"-rniF"} + grepPattern + roots, out, runs, grepRows);
        QString rgText = "-", rgRatio = "-";
        if (!rg.isEmpty() && query != chinese) {
            const double rgMs = runTool(
                rg,
                QStringList{"--no-config", "-uuu", "--no-messages", "-niF", "--", query} + roots,
                out, runs, rgRows);
            rgText = QString::number(rgMs, 'f', 0);
            rgRatio = QString::number(window / rgMs, 'f', 3);
        }
        std::printf("%-16s %7.0fms %7.0fms %7.0fms %7.0fms %9s %11.3f %9.3f %9s %7lld\n",
                    qPrintable(query), plain, window, cli, grep, qPrintable(rgText), window / grep,
                    cli / grep, qPrintable(rgRatio), (long long)rows);
        if (indexRows != rows || cliRows != rows)
            std::printf("  rows differ: no index %lld, window %lld, cli %lld\n", (long long)rows,
                        (long long)indexRows, (long long)cliRows);
        Q_UNUSED(grepRows);
        Q_UNUSED(rgRows);
    }
    QFile::remove(rareFile);
    ContentIndexer after(base, SearchRequest().DocumentText, control);
    after.UpdateFolders({materials->at(materials->size() / 2)});
    return 0;
}
