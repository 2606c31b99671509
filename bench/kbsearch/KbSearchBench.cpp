// keepsake-bench-kbsearch BASE [--runs N] [--sqlite3 PROGRAM]
//
// Times the knowledge-base search over the whole of a large base (the one
// keepsake-bench-makebase writes: 100,000 materials, 300,000 keywords), by
// name, by keyword and by both, from opening its connection to the count
// line, each against the equivalent query run by the sqlite3 shell on the
// same file in the same run. The shell's time per query is its wall-clock
// time over many repetitions less that of as many trivial queries, so its
// start-up is not counted. Both sides must list the same number of
// materials. Exits 1 when a search misses its target of 200 ms.

#include "Prompter.h"
#include "search/BlockingKbSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr double kTargetMs = 200.0;

class PrintingPrompter : public Prompter {
public:
    Answer message(const QString& text, const QString& caption, Icon, Buttons) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return Answer::Ok;
    }
    std::optional<QString> askText(const QString&, const QString&) override { return {}; }
};

struct Case {
    const char* name;
    int kind;
    QString query;
    QString sql; // the same materials, by the shell
};

// This thread's processor time: on a busy machine the wall-clock time of a
// search also counts the time others had the processor.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

struct Ours {
    double wallMs = -1;
    double cpuMs = -1;
    qint64 found = 0;
};

// Median milliseconds of runs searches after one to warm the caches, and
// the materials the last one listed.
Ours timeOurs(const Case& c, const CurrentKnowledgeBase& base, int runs) {
    SearchRequest request;
    request.ScopeCode = QStringLiteral("000000");
    request.QueryText = c.query;
    request.Kind = c.kind;
    PrintingPrompter prompter;
    QList<double> wall, cpu;
    qint64 found = 0;
    for (int i = 0; i <= runs; ++i) {
        qint64 rows = 0;
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        found = BlockingKbSearch::Run(request, base, prompter, [&](const QString&) { ++rows; });
        if (i > 0) {
            wall.append(timer.nsecsElapsed() / 1e6);
            cpu.append(threadCpuMs() - cpuStart);
        }
        if (rows != found + 2) // header and count line
            return {-1, -1, found};
    }
    return {median(wall), median(cpu), found};
}

// The shell's output and wall-clock milliseconds for one run of a script.
std::pair<QString, double> runShell(const QString& shell, const QString& base,
                                    const QString& script) {
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(shell, {QStringLiteral("-batch"), base});
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed: %s\n", process.readAllStandardError().constData());
        return {{}, -1};
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    return {QString::fromUtf8(process.readAllStandardOutput()).trimmed(), ms};
}

// Milliseconds per run of the query (best of three scripts, less the
// baseline), and the number of rows it gives.
std::pair<double, qint64> timeShell(const QString& shell, const QString& base, const QString& sql,
                                    int repeats) {
    const qint64 count =
        runShell(shell, base, QStringLiteral("select count(*) from (%1);\n").arg(sql))
            .first.toLongLong();
    const QString head = QStringLiteral(".output /dev/null\n");
    double work = -1, idle = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const double w = runShell(shell, base, head + (sql + ";\n").repeated(repeats)).second;
        const double i =
            runShell(shell, base, head + QStringLiteral("select 1;\n").repeated(repeats)).second;
        if (w < 0 || i < 0)
            return {-1, count};
        work = work < 0 ? w : std::min(work, w);
        idle = idle < 0 ? i : std::min(idle, i);
    }
    return {std::max(work - idle, 0.001) / repeats, count};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 15;
    QString shell = QStringLiteral("sqlite3");
    QString path;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--runs") && !args.isEmpty())
            runs = std::max(1, args.takeFirst().toInt());
        else if (arg == QLatin1String("--sqlite3") && !args.isEmpty())
            shell = args.takeFirst();
        else
            path = arg;
    }
    if (path.isEmpty()) {
        std::fprintf(stderr,
                     "usage: keepsake-bench-kbsearch BASE [--runs N] [--sqlite3 PROGRAM]\n");
        return 2;
    }
    CurrentKnowledgeBase base;
    base.ID = 1;
    base.Name = QStringLiteral("bench");
    base.DatabasePath = path;

    // The generator's names are "资料<id> <word>", its keywords "<word><n>".
    const QString byName = QStringLiteral(
        "select MinuItemID,MinuItemName from MinuItemTable where MinuItemFlag ='AOS' and "
        "MinuItemName like '%%1%' order by MinuItemID desc");
    const QString byKeyword = QStringLiteral(
        "select MinuItemID,MinuItemName from MinuItemTable m where MinuItemFlag ='AOS' and "
        "exists (select 1 from KeyWordTable k where k.MinuItemID = m.MinuItemID and "
        "k.KeyValue like '%%1%') order by MinuItemID");
    const QString byBoth = QStringLiteral(
        "select MinuItemID,MinuItemName from MinuItemTable m where MinuItemFlag ='AOS' and "
        "(MinuItemName like '%%1%' or exists (select 1 from KeyWordTable k where "
        "k.MinuItemID = m.MinuItemID and k.KeyValue like '%%1%')) order by MinuItemID");
    const QList<Case> cases = {
        {"name, a common word", 1, QStringLiteral("代码"), byName.arg(QStringLiteral("代码"))},
        {"name, one material", 1, QStringLiteral("资料54321 "),
         byName.arg(QStringLiteral("资料54321 "))},
        {"keyword, a common word", 2, QStringLiteral("代码"),
         byKeyword.arg(QStringLiteral("代码"))},
        {"keyword, a rare one", 2, QStringLiteral("算法135"),
         byKeyword.arg(QStringLiteral("算法135"))},
        {"name and keyword", 3, QStringLiteral("代码"), byBoth.arg(QStringLiteral("代码"))},
    };

    std::printf("base: %s, whole base, median of %d runs\n\n", qPrintable(path), runs);
    std::printf("%-24s %7s %12s %8s %11s %7s %7s\n", "search", "found", "keepsake ms", "cpu ms",
                "sqlite3 ms", "ratio", "target");
    bool met = true;
    for (const Case& c : cases) {
        const Ours ours = timeOurs(c, base, runs);
        const auto [theirs, count] = timeShell(shell, path, c.sql, std::max(3, runs / 3));
        const bool ok = ours.wallMs >= 0 && ours.wallMs < kTargetMs && ours.found == count;
        met = met && ok;
        const QString differs =
            ours.found == count ? QString() : QStringLiteral("  (sqlite3 lists %1)").arg(count);
        std::printf("%-24s %7lld %12.1f %8.1f %11.1f %7.2f %7s%s\n", c.name, qlonglong(ours.found),
                    ours.wallMs, ours.cpuMs, theirs, theirs > 0 ? ours.wallMs / theirs : 0.0,
                    ok ? "met" : "MISSED", qPrintable(differs));
    }
    return met ? 0 : 1;
}
