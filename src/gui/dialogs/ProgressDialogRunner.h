#pragma once

#include "LongTask.h"

#include <QPointer>
#include <QWidget>

// Runs long work on a worker thread behind a window-modal progress dialog
// whose "停止" asks the work to stop; returns when the work has ended, the
// windows painted meanwhile.
class ProgressDialogRunner : public LongTaskRunner {
public:
    explicit ProgressDialogRunner(QWidget* parent) : m_parent(parent) {}

    void run(const QString& label, const Work& work) override;

private:
    QPointer<QWidget> m_parent;
};
