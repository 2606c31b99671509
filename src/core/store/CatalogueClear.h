#pragma once

#include "ClearResult.h"

#include <QString>
#include <atomic>
#include <functional>

class Database;

// Clears an item with every item and material below it, or one material,
// rows and folders together, so that whatever happens the catalogue and the
// disk agree: each material either keeps its row and its folder, or loses
// both. It works in batches, each under one write transaction: the folders
// of the batch are renamed into a hidden folder of the base (a rename is
// atomic and can be undone), their rows are deleted, the transaction is
// committed, and only then are the renamed folders deleted. A failed commit
// renames them back. Runs on any thread with a Database of its own; it never
// asks the user anything, and says what happened in its result.
class CatalogueClear {
public:
    // Called after each batch with the number of materials done and the
    // total.
    using Progress = std::function<void(int done, int total)>;

    CatalogueClear(Database& database, const QString& filesRoot);

    void setProgress(Progress progress) { m_progress = std::move(progress); }
    // Checked between materials; a stop ends the clear after the current
    // batch is committed, leaving the rest in the recycle bin.
    void setStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }
    // Materials per transaction: small enough that other writers, whose wait
    // for the lock is bounded, get it between batches even on a slow disk;
    // large enough that commits stay few.
    void setBatchSize(int size) { m_batchSize = size; }

    ClearResult Run(const ClearTarget& target);

    // The hidden folder of the base that holds the folders of a clear that
    // has not finished.
    static QString TrashFolderOf(const QString& filesRoot);

private:
    void clearItem(ClearResult& result);
    void clearMaterial(ClearResult& result);
    // Puts back the folders of a crashed clear whose rows are still there,
    // and deletes those whose rows are gone.
    void recoverTrash();
    bool stopRequested() const { return m_stop && m_stop->load(); }

    Database& m_database;
    QString m_filesRoot;
    Progress m_progress;
    const std::atomic<bool>* m_stop = nullptr;
    int m_batchSize = 500;
};
