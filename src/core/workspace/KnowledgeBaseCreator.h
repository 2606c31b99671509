#pragma once

#include "LongTask.h"

#include <QString>
#include <optional>

struct ResourceConfigData;
class Workspace;

// One above every ID ever handed out (the registered bases and the mark the
// configuration keeps of removed ones); 1 when there was none.
int NewResourceID(const ResourceConfigData& config);

// The OK of the two new-base dialogs. A new base is a folder holding a copy
// of the template database and the base's ini file; it is registered at the
// end of the list and the selector, and the configuration is saved. It is
// not opened.
//
// Each returns the new base's ID, or nullopt after telling the user why; the
// dialog then stays open. A creation that fails half-way takes back what it
// wrote itself (copied database, ini file, folders it made) and nothing
// else. A folder that already holds a base's database is refused before
// anything is written.
class KnowledgeBaseCreator {
public:
    explicit KnowledgeBaseCreator(Workspace& workspace) : m_workspace(workspace) {}

    // Where the import of a large file runs; at once on this thread unless
    // set.
    void setTaskRunner(LongTaskRunner& runner) { m_runner = &runner; }

    // Characters that would break the base's ini file name or its records
    // become blanks, as in the first-run dialog.
    std::optional<int> CreateBlankBase(const QString& name, const QString& folder);
    // The same, then the categories of the knowledge-base file are imported
    // into the new database; a failed import leaves the base blank, one the
    // user stops takes the whole creation back.
    std::optional<int> CreateBaseFromFile(const QString& treeFile, const QString& name,
                                          const QString& folder);

private:
    std::optional<int> create(const QString& name, const QString& folder, const QString& treeFile);

    Workspace& m_workspace;
    InlineTaskRunner m_inline;
    LongTaskRunner* m_runner = &m_inline;
};
