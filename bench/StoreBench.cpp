// keepsake-bench-store BASE [--runs N] [--sqlite3 PROGRAM] [--no-shell]
//
// Times the store operations a tree fill and a new material lean on, each
// against the same query run by the sqlite3 shell on the same file in the
// same run. The shell's time per query is taken from its wall-clock time
// over many repetitions less that of as many trivial queries, so its start-up
// is not counted. Exits 1 when an operation misses its target (50 ms; 300 ms for the tree fill).

#include "PrintingPrompter.h"
#include "db/Database.h"
#include "store/CategoryTreeModel.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialClipboard.h"
#include "store/TreeService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr double kTargetMs = 50.0;
constexpr double kTreeFillTargetMs = 300.0;

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// Median milliseconds of runs calls, after one call to warm the caches.
double timeOurs(int runs, const std::function<bool()>& operation) {
    if (!operation())
        return -1;
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const bool ok = operation();
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

// Milliseconds per run of the shell's query: (script - baseline) / repeats.
double timeShell(bool enabled, const QString& shell, const QString& base, const QString& query,
                 int repeats) {
    if (!enabled)
        return -1;
    const QString head = QStringLiteral(".output /dev/null\nPRAGMA case_sensitive_like=ON;\n");
    const QString work = head + query.repeated(repeats);
    const QString idle = head + QStringLiteral("select 1;\n").repeated(repeats);
    const double total = runShell(shell, base, work);
    const double baseline = runShell(shell, base, idle);
    if (total < 0 || baseline < 0)
        return -1;
    return std::max(total - baseline, 0.001) / repeats;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 30;
    QString shell = QStringLiteral("sqlite3");
    QString base;
    bool withShell = true;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--runs") && !args.isEmpty())
            runs = std::max(1, args.takeFirst().toInt());
        else if (arg == QLatin1String("--sqlite3") && !args.isEmpty())
            shell = args.takeFirst();
        else if (arg == QLatin1String("--no-shell")) // for profiling the store alone
            withShell = false;
        else
            base = arg;
    }
    if (base.isEmpty()) {
        std::fprintf(
            stderr,
            "usage: keepsake-bench-store BASE [--runs N] [--sqlite3 PROGRAM] [--no-shell]\n");
        return 2;
    }

    PrintingPrompter prompter;
    Database db;
    if (!db.Open(base)) {
        std::fprintf(stderr, "%s", qPrintable(db.GetErrorText()));
        return 1;
    }
    KnowledgeStore store(db, prompter);
    QList<ItemRecord> items;
    QList<ItemRecord> busy;
    store.LoadAllItems(items);
    store.LoadChildItemsAnyFlag(QStringLiteral("010100"), busy);
    QString nextId;
    store.NextMaterialId(nextId);
    std::printf("base: %s\n%lld items, %lld children under 010100, next material id %s\n\n",
                qPrintable(base), qlonglong(items.size()), qlonglong(busy.size()),
                qPrintable(nextId));

    struct Row {
        const char* name;
        double ours;
        double shell;
        double target = kTargetMs;
    };
    QList<Row> rows;
    QString segment;

    Database other;
    rows.append(
        {"open the base",
         timeOurs(runs,
                  [&] {
                      const bool ok = other.Open(base);
                      other.Close(); // not timed apart: closing is part of switching bases
                      return ok;
                  }),
         timeShell(withShell, shell, base,
                   QStringLiteral(".open %1\nselect count(*) from sqlite_master;\n").arg(base),
                   runs * 4)});
    rows.append({"LoadAllItems", timeOurs(runs, [&] { return store.LoadAllItems(items); }),
                 timeShell(withShell, shell, base,
                           QStringLiteral("select ID,ItemID,ItemName,Preference from ItemTable "
                                          "order by ItemID;\n"),
                           runs)});
    rows.append({"NextChildSegment (1200 children)",
                 timeOurs(runs,
                          [&] {
                              return store.NextChildSegment(QStringLiteral("010100"), segment) ||
                                     segment == QLatin1String("00");
                          }),
                 timeShell(withShell, shell, base,
                           QStringLiteral("select ItemID from ItemTable where ItemID like "
                                          "'0101%%' order by ItemID;\n"),
                           runs * 4)});
    rows.append(
        {"NextMaterialId", timeOurs(runs, [&] { return store.NextMaterialId(nextId); }),
         timeShell(withShell, shell, base,
                   QStringLiteral("select MAX(MinuItemID) from MinuItemTable;\n"), runs * 20)});

    // The whole tree as the knowledge-base pane gets it: three levels, each
    // list in display order, against reading the same rows in the shell.
    MaterialClipboard clipboard;
    CurrentKnowledgeBase current;
    current.ID = 1;
    TreeService service(store, current, prompter, clipboard);
    CategoryTreeModel tree(service);
    rows.append({"fill the category tree",
                 timeOurs(runs,
                          [&] {
                              tree.fill();
                              return tree.rowCount() > 0;
                          }),
                 timeShell(withShell, shell, base,
                           QStringLiteral("select ID,ItemID,ItemName,Preference from ItemTable "
                                          "where ItemFlag ='AOS' order by Preference,ItemID;\n"),
                           runs),
                 kTreeFillTargetMs});

    std::printf("%-34s %12s %12s %8s %8s\n", "operation", "keepsake ms", "sqlite3 ms", "ratio",
                "target");
    bool met = true;
    for (const Row& row : rows) {
        met = met && row.ours >= 0 && row.ours < row.target;
        std::printf("%-34s %12.3f %12.3f %8.2f %8.0f\n", row.name, row.ours, row.shell,
                    row.shell > 0 ? row.ours / row.shell : 0.0, row.target);
    }
    std::printf("\nmedian of %d runs; sqlite3 per query from %s over many repeats\n", runs,
                qPrintable(shell));
    std::printf("targets: %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
