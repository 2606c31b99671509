#pragma once

#include "store/ClearResult.h"

#include <QObject>
#include <QPointer>

#include "CommandRegistry.h"

class ClearThread;
class QProgressBar;
class QStatusBar;
class RecycleBinModel;
struct CurrentKnowledgeBase;

// A long write of the open base (clearing from the recycle bin) run off the
// GUI thread, and what the window does meanwhile: the status bar's progress
// indicator shows how far it got, the commands that write the tree, the
// materials and the recycle bin are closed until it ends, reading,
// searching and opening go on. Its result reaches the recycle bin on the GUI
// thread.
class LongOperation : public QObject {
    Q_OBJECT
public:
    LongOperation(CommandRegistry& commands, QProgressBar& progress, QStatusBar& statusBar,
                  QObject* parent = nullptr);
    ~LongOperation() override;

    bool isRunning() const { return m_thread != nullptr; }
    // The commands closed while an operation runs.
    static bool writes(int commandId);

    // Starts clearing the target; false when another operation runs.
    bool startClear(RecycleBinModel& bin, const CurrentKnowledgeBase& base,
                    const ClearTarget& target);
    // Returns when no operation runs, keeping the window painted and the
    // progress moving meanwhile (for closing the window).
    void waitForEnd();

Q_SIGNALS:
    void finished();

private:
    void showProgress(int done, int total);
    void finish(const ClearResult& result);

    QPointer<CommandRegistry> m_commands;
    QProgressBar& m_progress;
    QStatusBar& m_statusBar;
    ClearThread* m_thread = nullptr;
    QPointer<RecycleBinModel> m_bin;
    int m_baseId = -1;
    const CurrentKnowledgeBase* m_base = nullptr;
};
