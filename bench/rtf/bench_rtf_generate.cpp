// Writes the benchmark's RTF file, for looking at or for opening in WordPad.
#include "RtfBenchDocument.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "rtf_bench.rtf";
    const qsizetype size = argc > 2 ? std::atoll(argv[2]) : 1024 * 1024;
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    const QByteArray rtf = RtfBenchDocument::generate(size);
    file.write(rtf);
    std::printf("%s: %lld bytes\n", path, static_cast<long long>(rtf.size()));
    return 0;
}
