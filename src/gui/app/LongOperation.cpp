#include "LongOperation.h"

#include "CommandIds.h"
#include "CommandRegistry.h"
#include "store/ClearThread.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/RecycleBinModel.h"

#include <QEventLoop>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

namespace {

const QString kBusy = QStringLiteral("正在处理，请稍候…");

} // namespace

LongOperation::LongOperation(CommandRegistry& commands, QProgressBar& progress,
                             QStatusBar& statusBar, QObject* parent)
    : QObject(parent), m_commands(&commands), m_progress(progress), m_statusBar(statusBar) {
    m_commands->setGate([this](int id) { return !isRunning() || !writes(id); });
}

LongOperation::~LongOperation() {
    if (m_commands)
        m_commands->setGate({});
    // The worker finishes the batch under way; what it did stays done.
    if (m_thread) {
        m_thread->RequestStop();
        m_thread->wait();
    }
}

bool LongOperation::writes(int id) {
    return std::find(std::begin(CommandIds::kBaseWriting), std::end(CommandIds::kBaseWriting),
                     id) != std::end(CommandIds::kBaseWriting);
}

bool LongOperation::startClear(RecycleBinModel& bin, const CurrentKnowledgeBase& base,
                               const ClearTarget& target) {
    if (isRunning() || !base.IsOpen())
        return false;
    m_bin = &bin;
    m_base = &base;
    m_baseId = base.ID;
    m_thread = new ClearThread(base.DatabasePath, base.FilesRoot, target, this);
    connect(m_thread, &ClearThread::progressed, this, &LongOperation::showProgress);
    connect(m_thread, &ClearThread::cleared, this, &LongOperation::finish);
    m_progress.setRange(0, 0); // busy until the first count arrives
    m_statusBar.showMessage(kBusy);
    m_commands->updateEnabled();
    m_thread->start();
    return true;
}

void LongOperation::showProgress(int done, int total) {
    m_progress.setRange(0, qMax(total, 1));
    m_progress.setValue(done);
}

void LongOperation::finish(const ClearResult& result) {
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    m_progress.setRange(0, 100);
    m_progress.setValue(0);
    m_statusBar.showMessage(QStringLiteral("就绪"));
    // Another base may have been opened meanwhile: its list has none of
    // these rows, and the message still says what happened.
    if (m_bin && m_base && m_base->ID == m_baseId)
        m_bin->applyCleared(result);
    m_commands->updateEnabled();
    Q_EMIT finished();
}

void LongOperation::waitForEnd() {
    if (!isRunning())
        return;
    QEventLoop loop;
    connect(this, &LongOperation::finished, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
