#pragma once

#include "ClearResult.h"

#include <QThread>
#include <atomic>

// Runs a CatalogueClear off the GUI thread on a connection of its own to the
// base's database file. Progress and the result reach the thread that owns
// this object through queued signals; the worker never touches a model or
// asks the user anything.
class ClearThread : public QThread {
    Q_OBJECT
public:
    ClearThread(const QString& databasePath, const QString& filesRoot, const ClearTarget& target,
                QObject* parent = nullptr);
    // Stops the clear (at its next check point) and waits for the thread.
    ~ClearThread() override;

    // Thread-safe; what is done stays done, the rest stays in the recycle bin.
    void RequestStop() { m_stop.store(true); }

Q_SIGNALS:
    // At most every 50 ms, and once at the end.
    void progressed(int done, int total);
    void cleared(const ClearResult& result);

protected:
    void run() override;

private:
    const QString m_databasePath;
    const QString m_filesRoot;
    const ClearTarget m_target;
    std::atomic<bool> m_stop{false};
};
