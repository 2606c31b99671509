#pragma once

#include <QString>

class LongTaskRunner;
class Prompter;
class TaskProgress;

// Fills a knowledge base's database with the categories of a knowledge-base
// file, after those it already holds. It works on a connection of its own,
// so the open base's connection is never moved and needs no coming back.
class CategoryTreeImport {
public:
    enum class Result { Imported, Failed, Stopped };

    // All or nothing: when any category cannot be added, the user is told
    // which level failed and the database is left as it was; the same when
    // the user stops it. The work runs through the runner, which may put it
    // on another thread; the user is told on the caller's.
    static Result ImportTree(const QString& filePath, const QString& databasePath,
                             Prompter& prompter, LongTaskRunner& runner);

    // The import itself, on whatever thread calls it: the failure text
    // (empty when it worked or stopped).
    static QString Import(const QString& filePath, const QString& databasePath,
                          TaskProgress& progress, bool& stopped);
};
