// keepsake-bench-materials BASE [--runs N] [--sqlite3 PROGRAM] [--no-shell]
//
// Times the material list on a base made by keepsake-bench-materials-makebase:
// showing the first page of a minor holding 100,000 materials (the ids of all
// of them, then the rows of one page) and switching pages, each against the
// same statements run by the sqlite3 shell on the same file in the same run.
// The shell's time per query is its wall-clock time over many repetitions
// less that of as many trivial queries, so its start-up is not counted.
// Exits 1 when a target is missed: first page 100 ms, page switch 30 ms.

#include "PrintingPrompter.h"
#include "db/Database.h"
#include "materials/MaterialListModel.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialClipboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// Median milliseconds of runs calls, after one call to warm the caches.
double timeOurs(int runs, const std::function<bool(int)>& operation) {
    if (!operation(0))
        return -1;
    QList<double> times;
    for (int i = 1; i <= runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const bool ok = operation(i);
        times.append(timer.nsecsElapsed() / 1e6);
        if (!ok)
            return -1;
    }
    return median(times);
}

// Wall-clock milliseconds of one shell run of the script; the best of three.
double runShell(const QString& shell, const QString& base, const QString& script) {
    double best = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(shell, {QStringLiteral("-batch"), base});
        process.write(script.toUtf8());
        process.closeWriteChannel();
        if (!process.waitForFinished(600000) || process.exitCode() != 0) {
            std::fprintf(stderr, "sqlite3 failed: %s\n",
                         process.readAllStandardError().constData());
            return -1;
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

// Milliseconds per run of the shell's queries: (script - baseline) / repeats.
double timeShell(bool enabled, const QString& shell, const QString& base, const QString& queries,
                 int repeats) {
    if (!enabled)
        return -1;
    const QString head = QStringLiteral(".output /dev/null\nPRAGMA case_sensitive_like=ON;\n");
    const double total = runShell(shell, base, head + queries.repeated(repeats));
    const double baseline =
        runShell(shell, base, head + QStringLiteral("select 1;\n").repeated(repeats));
    if (total < 0 || baseline < 0)
        return -1;
    return std::max(total - baseline, 0.001) / repeats;
}

QString idStatement(const QString& condition) {
    return QStringLiteral("select MinuItemId from MinuItemTable where MinuItemFlag ='AOS'") +
           condition + QStringLiteral(";\n");
}

QString pageStatement(const MaterialListModel& list) {
    QStringList ids;
    for (const MaterialRecord& m : list.materials())
        ids.append(m.MinuItemID);
    return QStringLiteral("select MinuItemID,MinuItemName,ItemID,DescribeFileType,"
                          "MinuItemDescribeFilename,MinuItemFilePath,CreateTime from "
                          "MinuItemTable where MinuItemID in(") +
           ids.join(QLatin1Char(',')) + QStringLiteral(");\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 30;
    QString shell = QStringLiteral("sqlite3");
    QString basePath;
    bool withShell = true;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--runs") && !args.isEmpty())
            runs = std::max(1, args.takeFirst().toInt());
        else if (arg == QLatin1String("--sqlite3") && !args.isEmpty())
            shell = args.takeFirst();
        else if (arg == QLatin1String("--no-shell"))
            withShell = false;
        else
            basePath = arg;
    }
    if (basePath.isEmpty()) {
        std::fprintf(stderr, "usage: keepsake-bench-materials BASE [--runs N] [--sqlite3 PROGRAM] "
                             "[--no-shell]\n");
        return 2;
    }

    PrintingPrompter prompter;
    Database db;
    if (!db.Open(basePath)) {
        std::fprintf(stderr, "%s", qPrintable(db.GetErrorText()));
        return 1;
    }
    KnowledgeStore store(db, prompter);
    QList<ItemRecord> items;
    store.LoadAllItems(items); // the tree fill's work, done before any list is shown
    const CurrentKnowledgeBase base{1, QStringLiteral("基准库"), basePath,
                                    QFileInfo(basePath).absolutePath() + QLatin1Char('/'),
                                    basePath};
    MaterialClipboard clipboard;
    MaterialListModel list(store, base, prompter, clipboard);

    list.showMaterialsOf(QStringLiteral("010101"));
    const int pages = list.pageCount();
    std::printf("base: %s\nminor 010101: %d live materials, %d pages\n\n", qPrintable(basePath),
                list.listedCount(), pages);
    list.showPage(pages / 2);
    const QString middlePage = pageStatement(list);
    list.showPage(1);
    const QString firstPage = pageStatement(list);

    struct Row {
        const char* name;
        double ours;
        double shell;
        double target;
    };
    QList<Row> rows;
    const QString minor = QStringLiteral(" and ItemId = '010101' ");
    rows.append({"first page of 010101 (100,000)",
                 timeOurs(runs, [&](int) { return list.showMaterialsOf("010101"); }),
                 timeShell(withShell, shell, basePath, idStatement(minor) + firstPage, runs), 100});
    rows.append({"page switch",
                 timeOurs(runs * 4, [&](int i) { return list.showPage(1 + (i * 37) % pages); }),
                 timeShell(withShell, shell, basePath, middlePage, runs * 4), 30});

    list.setTypeFilter(MaterialListFilter::Type::Other);
    list.setDateRange(QStringLiteral("2009-03-01"), QStringLiteral("2009-09-30"));
    rows.append({"first page, non-web, Mar to Sep",
                 timeOurs(runs, [&](int) { return list.showMaterialsOf("010101"); }),
                 timeShell(withShell, shell, basePath,
                           idStatement(QStringLiteral(" and DescribeFileType <>1  and "
                                                      "CreateTime>='2009-03-01'  and "
                                                      "CreateTime<='2009-09-30 23:59:59' ") +
                                       minor) +
                               pageStatement(list),
                           runs),
                 100});
    list.setTypeFilter(MaterialListFilter::Type::All);
    list.setDateRange({}, {});
    rows.append(
        {"first page of the major 010100",
         timeOurs(runs, [&](int) { return list.showMaterialsOf("010100"); }),
         timeShell(withShell, shell, basePath,
                   idStatement(QStringLiteral(" and ItemId like '0101%%' ")) + firstPage, runs),
         100});
    rows.append({"first page of the whole base",
                 timeOurs(runs, [&](int) { return list.showMaterialsOf("000000"); }),
                 timeShell(withShell, shell, basePath, idStatement({}) + firstPage, runs), 100});

    std::printf("%-34s %12s %12s %8s %8s\n", "operation", "keepsake ms", "sqlite3 ms", "ratio",
                "target");
    bool met = true;
    for (const Row& row : rows) {
        const bool ok = row.ours >= 0 && row.ours < row.target;
        met = met && ok;
        std::printf("%-34s %12.3f %12.3f %8.2f %5.0f ms %s\n", row.name, row.ours, row.shell,
                    row.shell > 0 ? row.ours / row.shell : 0.0, row.target, ok ? "" : "MISSED");
    }
    std::printf("\nmedian of %d runs (page switch %d); sqlite3 per query from %s over many "
                "repeats\n",
                runs, runs * 4, qPrintable(shell));
    std::printf("targets: %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
