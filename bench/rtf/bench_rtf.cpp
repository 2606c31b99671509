// Time to open a 1 MB RTF description file into a QTextDocument, against
// references measured in the same run on the same content: reading the
// file's bytes and decoding them, QTextDocument::setPlainText of the text the
// file holds (the document work any reader must do at least), and Qt's own
// rich-text import, QTextDocument::setHtml, of the same formatted document.
#include "RtfBenchDocument.h"
#include "config/TextCodec.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> samples;
    work(); // warm caches and converters
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    QTemporaryDir dir;
    QString path =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("bench.rtf"));
    if (argc <= 2) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(RtfBenchDocument::generate(1024 * 1024)) < 0)
            return 1;
    }
    const auto readFile = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray rtf = readFile();
    QTextDocument parsed;
    if (!RtfReader::read(rtf, &parsed))
        return 1;
    const QString plain = parsed.toPlainText();
    const QString html = parsed.toHtml();

    const double open = medianMs(runs, [&] {
        QTextDocument document;
        RtfReader::read(readFile(), &document);
    });
    const double bytes = medianMs(runs, [&] {
        volatile qsizetype n = TextCodec::decode(readFile()).size();
        (void)n;
    });
    const double setPlain = medianMs(runs, [&] {
        QTextDocument document;
        document.setPlainText(plain);
    });
    const double setHtml = medianMs(runs, [&] {
        QTextDocument document;
        document.setHtml(html);
    });
    const double save = medianMs(runs, [&] {
        volatile qsizetype n = RtfWriter::write(&parsed).size();
        (void)n;
    });

    std::printf("RTF file %lld bytes: %d paragraphs, %lld characters; median of %d runs\n",
                static_cast<long long>(rtf.size()), parsed.blockCount(),
                static_cast<long long>(plain.size()), runs);
    std::printf("  open (read file + RtfReader into QTextDocument): %8.1f ms  (target < 300)\n",
                open);
    std::printf("  reference: read file + GB18030 decode:            %8.1f ms  ratio %6.1f\n",
                bytes, bytes > 0 ? open / bytes : 0.0);
    std::printf("  reference: QTextDocument::setPlainText same text: %8.1f ms  ratio %6.1f\n",
                setPlain, setPlain > 0 ? open / setPlain : 0.0);
    std::printf("  reference: QTextDocument::setHtml same document: %8.1f ms  ratio %6.2f\n",
                setHtml, setHtml > 0 ? open / setHtml : 0.0);
    std::printf("  save (RtfWriter of the opened document):          %8.1f ms\n", save);
    return open < 300 ? 0 : 2;
}
