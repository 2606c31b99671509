#pragma once

class Database;

// Runs a change of several statements all or nothing: whatever has not been
// committed when the guard goes out of scope is rolled back.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // False when the transaction could not be started; the caller must not
    // go on writing as if it had.
    bool IsActive() const { return m_active; }
    bool Commit();
    bool Rollback();

private:
    Database& m_database;
    bool m_active = false;
};
