// Times the file search on the base made by keepsake-bench-makefiles against
// grep (and rg where installed), on the same files in the same run. Every
// tool runs once to warm the page cache, then the best of --runs runs is
// kept.
//   keepsake-bench-filesearch FOLDER [--runs N] [--only TEXT]
#include "FileSearchBenchBase.h"
#include "config/TextCodec.h"
#include "search/BlockingFileSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

struct Case {
    const char* label;
    QString query;
    bool regex;
    bool namesOnly;
    QStringList grepArgs; // the pattern is appended, then the folders
    QStringList rgArgs;
};

struct Timing {
    double ms = 0;
    qint64 count = 0;
};

Timing runOurs(const Case& c, const CurrentKnowledgeBase& base, int runs) {
    SearchRequest r;
    r.FileSearch = 1;
    r.ScopeCode = QStringLiteral("000000");
    r.QueryText = c.query;
    r.FileTypes = QStringLiteral("*.*");
    r.RegularExpression = c.regex;
    r.NamesOnly = c.namesOnly;
    BenchPrompter prompter;
    Timing best{1e18, 0};
    for (int i = 0; i <= runs; ++i) {
        qint64 rows = 0;
        QElapsedTimer t;
        t.start();
        BlockingFileSearch::Run(r, base, prompter, [&](const FileSearchRow& row) {
            rows += row.level == (c.namesOnly ? 1 : 2);
        });
        const double ms = t.nsecsElapsed() / 1e6;
        if (i > 0)
            best.ms = std::min(best.ms, ms);
        best.count = c.namesOnly ? rows - 2 : rows; // less header and summary
    }
    return best;
}

Timing runTool(const QString& program, const QStringList& args, const QString& outFile, int runs) {
    Timing best{1e18, 0};
    for (int i = 0; i <= runs; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        p.setProcessEnvironment(env);
        // A file, not /dev/null: grep stops at the first match when its
        // output goes nowhere.
        p.setStandardOutputFile(outFile);
        QElapsedTimer t;
        t.start();
        p.start(program, args);
        p.waitForFinished(-1);
        const double ms = t.nsecsElapsed() / 1e6;
        if (i > 0)
            best.ms = std::min(best.ms, ms);
    }
    QFile out(outFile);
    if (out.open(QIODevice::ReadOnly))
        best.count = out.readAll().count('\n');
    return best;
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
    const QString& only = bench->only;
    const CurrentKnowledgeBase& base = bench->base;
    const QStringList& roots = bench->roots;
    qint64 bytes = 0;
    {
        QProcess du;
        du.start("du", QStringList{"-sb"} + roots);
        du.waitForFinished(-1);
        for (const QByteArray& line : du.readAllStandardOutput().split('\n'))
            bytes += line.split('\t').value(0).toLongLong();
    }
    const QString chinese = QString::fromUtf8("知识库");
    const QString chineseBytes = QString::fromLatin1(TextCodec::encode(chinese));
    const QString rg = QStandardPaths::findExecutable("rg");
    const QStringList rgCommon = {"--no-config", "-uuu", "--no-messages"};
    const QList<Case> cases = {
        {"plain, ignore case, lines",
         "keepsake",
         false,
         false,
         {"-rniF"},
         rgCommon + QStringList{"-niF"}},
        {"plain, ignore case, names only",
         "keepsake",
         false,
         true,
         {"-rliF"},
         rgCommon + QStringList{"-liF"}},
        {"plain, chinese, lines", chinese, false, false, {"-rniF"}, {}},
        {"plain, rare word, lines",
         "wordnotinthere",
         false,
         false,
         {"-rniF"},
         rgCommon + QStringList{"-niF"}},
        {"regex, ignore case, lines",
         "keep.ake",
         true,
         false,
         {"-rniP"},
         rgCommon + QStringList{"-ni"}},
        {"regex, class, lines",
         "[0-9]{4}-[0-9]{2}-07 12",
         true,
         false,
         {"-rniP"},
         rgCommon + QStringList{"-ni"}},
        {"regex, ignore case, names only",
         "keep.ake",
         true,
         true,
         {"-rliP"},
         rgCommon + QStringList{"-li"}},
    };
    QTemporaryDir tmp;
    const QString out = tmp.filePath("out");
    std::printf("file search benchmark: %.1f MB in %s, best of %d runs\n", bytes / 1e6,
                qPrintable(folder), runs);
    std::printf("grep runs with LC_ALL=C (bytes, its fastest mode); a Chinese query is given\n"
                "to grep in GB18030 bytes. ratio = keepsake time / grep time.\n\n");
    std::printf("%-32s %9s %9s %7s %9s %7s %9s %9s\n", "case", "keepsake", "grep", "ratio", "rg",
                "ratio", "rows", "grep out");
    for (const Case& c : cases) {
        if (!QString::fromLatin1(c.label).contains(only))
            continue;
        const Timing ours = runOurs(c, base, runs);
        const QString grepPattern = c.query == chinese ? chineseBytes : c.query;
        // QProcess passes arguments as local 8-bit: a Latin-1 string keeps the
        // GB18030 bytes as they are only when the locale passes bytes through.
        QStringList grepArgs = c.grepArgs;
        grepArgs << QStringLiteral("--") << grepPattern << roots;
        Timing grep;
        if (c.query == chinese) {
            QFile pattern(tmp.filePath("pattern"));
            pattern.open(QIODevice::WriteOnly);
            pattern.write(TextCodec::encode(chinese));
            pattern.close();
            grep =
                runTool("grep", QStringList{c.grepArgs.first(), "-f", pattern.fileName()} + roots,
                        out, runs);
        } else {
            grep = runTool("grep", grepArgs, out, runs);
        }
        QString rgText = "-", rgRatio = "-";
        if (!rg.isEmpty() && !c.rgArgs.isEmpty()) {
            const Timing r = runTool(rg, c.rgArgs + QStringList{"--", c.query} + roots, out, runs);
            rgText = QString::number(r.ms, 'f', 0);
            rgRatio = QString::number(ours.ms / r.ms, 'f', 2);
        }
        std::printf("%-32s %7.0fms %7.0fms %7.2f %9s %7s %9lld %9lld\n", c.label, ours.ms, grep.ms,
                    ours.ms / grep.ms, qPrintable(rgText), qPrintable(rgRatio),
                    (long long)ours.count, (long long)grep.count);
    }
    std::printf(
        "\nrows: matching lines (one row per match) or files; grep out: its output lines.\n");
    if (rg.isEmpty())
        std::printf("rg is not installed: no rg column.\n");
    return 0;
}
