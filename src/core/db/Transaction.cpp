#include "Transaction.h"

#include "Database.h"

Transaction::Transaction(Database& database) : m_database(database) {
    m_active = m_database.BeginTransaction();
}

Transaction::~Transaction() {
    if (m_active)
        m_database.RollbackTransaction();
}

bool Transaction::Commit() {
    if (!m_active)
        return false;
    if (!m_database.CommitTransaction())
        return false; // still active: the destructor rolls it back
    m_active = false;
    return true;
}

bool Transaction::Rollback() {
    if (!m_active)
        return false;
    m_active = false;
    return m_database.RollbackTransaction();
}
