#pragma once

#include "store/ClearResult.h"
#include "store/StoreWriteRunner.h"

#include <QObject>
#include <QPointer>

#include "commands/CommandRegistry.h"

class ClearThread;
class QThread;
class QToolButton;
class QProgressBar;
class QStatusBar;
class RecycleBinModel;
struct CurrentKnowledgeBase;

// A long write of the open base (clearing from the recycle bin, moving or
// deleting a large item) run off the GUI thread, and what the window does
// meanwhile: the status bar's progress indicator shows how far it got, the
// commands that write the tree, the materials and the recycle bin are closed
// until it ends, reading, searching and opening go on. Its result is applied
// on the GUI thread.
class LongOperation : public QObject, public StoreWriteRunner {
    Q_OBJECT
public:
    LongOperation(CommandRegistry& commands, QProgressBar& progress, QStatusBar& statusBar,
                  const CurrentKnowledgeBase& openBase, QObject* parent = nullptr);
    ~LongOperation() override;

    bool isRunning() const { return m_thread != nullptr; }
    // Only a clear can stop half-way and keep what it did; a write is one
    // transaction and is let finish.
    bool canStop() const { return m_clear != nullptr; }
    // The commands closed while an operation runs.
    static bool writes(int commandId);

    // Starts clearing the target; false when another operation runs.
    bool startClear(RecycleBinModel& bin, const ClearTarget& target);
    // StoreWriteRunner: a write of the open base.
    bool run(Write write, Then then) override;
    // What the clear has done stays done; the rest stays in the recycle bin.
    void requestStop();
    // Returns when no operation runs, keeping the window painted and the
    // progress moving meanwhile (for closing the window).
    void waitForEnd();

Q_SIGNALS:
    void finished();

private:
    void showProgress(int done, int total);
    void begin(QThread* thread);
    void end();
    void finishClear(const ClearResult& result);

    QPointer<CommandRegistry> m_commands;
    QProgressBar& m_progress;
    QStatusBar& m_statusBar;
    QToolButton* m_stop = nullptr;
    QThread* m_thread = nullptr;
    ClearThread* m_clear = nullptr;
    Then m_then;
    QPointer<RecycleBinModel> m_bin;
    int m_baseId = -1;
    const CurrentKnowledgeBase& m_openBase;
};
