// How fast the file search reads the text of a large rich-text note and a
// large web page, against reading the same file with cat and grep in the
// same run. Prints MB/s and the ratio to each reference.
//
//   bench_documenttext [MEGABYTES]   (default 10)

#include "RtfBenchDocument.h"
#include "search/SearchableText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double bestMs(const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

double shellMs(const QString& command) {
    return bestMs([&] {
        QProcess process;
        process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
        process.waitForFinished(-1);
    });
}

QByteArray page(qsizetype targetBytes) {
    QByteArray html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>会议记录</title>"
                      "<style>p { margin: 0 }</style></head>\n<body>\n";
    for (int i = 0; html.size() < targetBytes; ++i) {
        html += "<div class=\"note\"><h2>第" + QByteArray::number(i) +
                "节</h2>\n<p>今天讨论了<b>项目进度</b>&nbsp;and the <i>knowledge</i> base &amp; "
                "notes&#65292;需要注意的是 <a href=\"http://example.com/?a=1&amp;b=2\">参考"
                "文献</a>。</p>\n<table><tr><td>资料库</td><td>2024</td></tr></table>"
                "<script>var x = \"<p>\";</script></div>\n";
    }
    return html + "</body></html>\n";
}

void measure(const char* label, const QString& path) {
    const double megabytes = QFile(path).size() / 1e6;
    qsizetype characters = 0;
    const double read =
        bestMs([&] { characters = SearchableText::Read(path, true).value_or(QString()).size(); });
    const double cat = shellMs(QStringLiteral("cat '%1' > /dev/null").arg(path));
    const double grep = shellMs(QStringLiteral("grep -c x '%1' > /dev/null").arg(path));
    std::printf("%s: %.1f MB, %lld characters of text\n", label, megabytes,
                static_cast<long long>(characters));
    std::printf("  SearchableText::Read  %8.1f ms %8.1f MB/s\n", read, megabytes / read * 1e3);
    std::printf("  cat > /dev/null       %8.1f ms %8.1f MB/s  ratio %5.1f\n", cat,
                megabytes / cat * 1e3, read / cat);
    std::printf("  grep -c x             %8.1f ms %8.1f MB/s  ratio %5.1f\n", grep,
                megabytes / grep * 1e3, read / grep);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const qsizetype megabytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 10;
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        return f.fileName();
    };
    measure("RTF", write(QStringLiteral("note.rtf"), RtfBenchDocument::generate(megabytes << 20)));
    measure("HTML", write(QStringLiteral("page.html"), page(megabytes << 20)));
    return 0;
}
