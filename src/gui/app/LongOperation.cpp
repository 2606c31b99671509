#include "LongOperation.h"

#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "store/ClearThread.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/RecycleBinModel.h"
#include "store/StoreWriteThread.h"

#include <QEventLoop>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

namespace {

const QString kBusy = QStringLiteral("正在处理，请稍候…");

} // namespace

LongOperation::LongOperation(CommandRegistry& commands, QProgressBar& progress,
                             QStatusBar& statusBar, const CurrentKnowledgeBase& openBase,
                             QObject* parent)
    : QObject(parent), m_commands(&commands), m_progress(progress), m_statusBar(statusBar),
      m_openBase(openBase) {
    // Beside the indicator, and only while a clear runs: the one operation
    // that can stop half-way without undoing anything.
    m_stop = new QToolButton(&m_statusBar);
    m_stop->setObjectName(QStringLiteral("stopOperation"));
    m_stop->setText(QStringLiteral("停止"));
    m_stop->setToolTip(QStringLiteral("停止清除，未清除的资料保留在回收站中"));
    m_stop->setAutoRaise(true);
    m_stop->hide();
    m_statusBar.addPermanentWidget(m_stop);
    connect(m_stop, &QToolButton::clicked, this, &LongOperation::requestStop);
    m_commands->setGate([this](int id) { return !isRunning() || !writes(id); });
}

LongOperation::~LongOperation() {
    if (m_commands)
        m_commands->setGate({});
    // The worker finishes the batch or the transaction under way; what it
    // did stays done.
    if (m_clear)
        m_clear->RequestStop();
    if (m_thread)
        m_thread->wait();
}

bool LongOperation::writes(int id) {
    return std::find(std::begin(CommandIds::kBaseWriting), std::end(CommandIds::kBaseWriting),
                     id) != std::end(CommandIds::kBaseWriting);
}

void LongOperation::begin(QThread* thread) {
    m_thread = thread;
    m_baseId = m_openBase.ID;
    m_progress.setRange(0, 0); // busy until a count arrives
    m_statusBar.showMessage(kBusy);
    m_stop->setEnabled(true);
    m_stop->setVisible(canStop());
    m_commands->updateEnabled();
    m_thread->start();
}

void LongOperation::end() {
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    m_clear = nullptr;
    m_stop->hide();
    m_progress.setRange(0, 100);
    m_progress.setValue(0);
    m_statusBar.showMessage(QStringLiteral("就绪"));
}

bool LongOperation::startClear(RecycleBinModel& bin, const ClearTarget& target) {
    if (isRunning() || !m_openBase.IsOpen())
        return false;
    m_bin = &bin;
    m_clear = new ClearThread(m_openBase.DatabasePath, m_openBase.FilesRoot, target, this);
    connect(m_clear, &ClearThread::progressed, this, &LongOperation::showProgress);
    connect(m_clear, &ClearThread::cleared, this, &LongOperation::finishClear);
    begin(m_clear);
    return true;
}

bool LongOperation::run(Write write, Then then) {
    if (isRunning() || !m_openBase.IsOpen())
        return false;
    auto* thread = new StoreWriteThread(m_openBase.DatabasePath, std::move(write), this);
    m_then = std::move(then);
    connect(thread, &StoreWriteThread::wrote, this, [this](bool written) {
        end();
        // Taken first: what it does may start the next operation.
        const Then then = std::move(m_then);
        m_then = {};
        then(written);
        m_commands->updateEnabled();
        Q_EMIT finished();
    });
    begin(thread);
    return true;
}

void LongOperation::requestStop() {
    if (!m_clear)
        return;
    m_clear->RequestStop();
    m_stop->setEnabled(false); // once is enough; the batch under way ends first
}

void LongOperation::showProgress(int done, int total) {
    m_progress.setRange(0, qMax(total, 1));
    m_progress.setValue(done);
}

void LongOperation::finishClear(const ClearResult& result) {
    end();
    // Another base may have been opened meanwhile: its list has none of
    // these rows, and the message still says what happened.
    if (m_bin && m_openBase.ID == m_baseId)
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
