#include "StoreWriteThread.h"

#include "KnowledgeStore.h"
#include "SilentPrompter.h"
#include "db/Database.h"

StoreWriteThread::StoreWriteThread(const QString& databasePath, StoreWriteRunner::Write write,
                                   QObject* parent)
    : QThread(parent), m_databasePath(databasePath), m_write(std::move(write)) {}

StoreWriteThread::~StoreWriteThread() {
    wait();
}

void StoreWriteThread::run() {
    bool written = false;
    {
        Database database;
        if (database.Open(m_databasePath)) {
            SilentPrompter prompter;
            KnowledgeStore store(database, prompter);
            written = m_write(store);
        }
    }
    Q_EMIT wrote(written);
}
