#include "ProgressDialogRunner.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <memory>

void ProgressDialogRunner::run(const QString& label, const Work& work) {
    QProgressDialog dialog(label, QStringLiteral("停止"), 0, 0, m_parent);
    dialog.setWindowTitle(QStringLiteral("请稍候"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    // Work that ends at once shows no dialog at all.
    dialog.setMinimumDuration(400);

    // Counts reach the dialog on its own thread; one still queued when the
    // dialog has gone is dropped with it.
    TaskProgress progress([&dialog](int done, int total) {
        QMetaObject::invokeMethod(
            &dialog,
            [&dialog, done, total] {
                dialog.setMaximum(qMax(total, 1));
                dialog.setValue(done);
            },
            Qt::QueuedConnection);
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog,
                     [&progress] { progress.requestStop(); });

    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] { work(progress); }));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
}
