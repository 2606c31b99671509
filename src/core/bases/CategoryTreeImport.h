#pragma once

#include <QString>

class Prompter;

// Fills a knowledge base's database with the categories of a knowledge-base
// file, after those it already holds. It works on a connection of its own,
// so the open base's connection is never moved and needs no coming back.
class CategoryTreeImport {
public:
    // All or nothing: when any category cannot be added, the user is told
    // which level failed and the database is left as it was. False then, and
    // when the database does not open.
    static bool ImportTree(const QString& filePath, const QString& databasePath,
                           Prompter& prompter);
};
