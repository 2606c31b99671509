#include "FuzzSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

namespace {

const QTemporaryDir& scratch() {
    static const QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch folder: %s\n", qPrintable(dir.errorString()));
        std::abort();
    }
    return dir;
}

} // namespace

QString scratchPath(const QString& name) {
    return scratch().filePath(name);
}

QString writeScratch(const QString& name, QByteArrayView bytes) {
    const QString path = scratchPath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

QByteArray readScratch(const QString& name) {
    QFile file(scratchPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void fail(const char* expectation, const char* file, int line, const QString& details) {
    std::fprintf(stderr, "%s:%d: expected %s\n", file, line, expectation);
    if (!details.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(details));
    std::abort();
}

Prompter::Answer SilentPrompter::message(const QString&, const QString&, Icon, Buttons buttons) {
    ++messages;
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

std::optional<QString> SilentPrompter::askText(const QString&, const QString&) {
    return std::nullopt;
}

} // namespace Fuzz
