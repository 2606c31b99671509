#pragma once

// What the benchmarks on the generated file-search base share: reading the
// command line, the base as the search sees it, and a prompter that tells
// on stderr and answers no.

#include "PrintingPrompter.h"
#include "store/CurrentKnowledgeBase.h"

#include <QDir>
#include <QStringList>
#include <cstdio>
#include <optional>

// Nobody sits at a benchmark to say yes.
class BenchPrompter : public PrintingPrompter {
public:
    BenchPrompter() : PrintingPrompter(Answer::No) {}
};

struct FileSearchBenchBase {
    QString folder;
    int runs = 3;
    QString only; // runs only the cases whose label holds it, for profiling one
    CurrentKnowledgeBase base;
    QStringList roots; // the top folders, for grep and rg

    // From "PROGRAM FOLDER [--runs N] [--only TEXT]"; nullopt after printing the usage.
    static std::optional<FileSearchBenchBase> FromArguments(const QStringList& args) {
        if (args.size() < 2) {
            std::fprintf(stderr, "usage: %s FOLDER [--runs N] [--only TEXT]\n",
                         qPrintable(args.value(0)));
            return std::nullopt;
        }
        FileSearchBenchBase b;
        b.folder = QDir(args[1]).absolutePath();
        if (args.contains("--runs"))
            b.runs = args.value(args.indexOf("--runs") + 1).toInt();
        if (args.contains("--only"))
            b.only = args.value(args.indexOf("--only") + 1);
        b.base.ID = 1;
        b.base.Name = QStringLiteral("bench");
        b.base.DatabasePath = b.folder + "/Keepsake.mdb";
        b.base.FilesRoot = b.folder + '/';
        for (const QString& name : QDir(b.folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            b.roots.append(b.folder + '/' + name);
        return b;
    }
};
