#pragma once

#include "StoreWriteRunner.h"

#include <QThread>

// Runs one StoreWriteRunner::Write on a connection of its own to the base's
// database file, so the GUI thread's connection stays free for reading; the
// outcome reaches the owner's thread through a queued signal.
class StoreWriteThread : public QThread {
    Q_OBJECT
public:
    StoreWriteThread(const QString& databasePath, StoreWriteRunner::Write write,
                     QObject* parent = nullptr);
    // A write is one transaction, short next to a clear: it is let finish.
    ~StoreWriteThread() override;

Q_SIGNALS:
    void wrote(bool written);

protected:
    void run() override;

private:
    const QString m_databasePath;
    const StoreWriteRunner::Write m_write;
};
