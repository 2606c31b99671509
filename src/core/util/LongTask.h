#pragma once

#include <QString>
#include <atomic>
#include <functional>

// What work that may take long is told while it runs, and what it tells.
// Read and written from the worker's thread and the window's at once.
class TaskProgress {
public:
    using Report = std::function<void(int done, int total)>;

    explicit TaskProgress(Report report = {}) : m_report(std::move(report)) {}

    bool stopRequested() const { return m_stop.load(); }
    void requestStop() { m_stop.store(true); }
    void progressed(int done, int total) const {
        if (m_report)
            m_report(done, total);
    }

private:
    Report m_report;
    std::atomic<bool> m_stop{false};
};

// Runs such work and returns when it has ended. The window's runner puts it
// on a worker thread and shows its progress with a way to stop it, so the
// window keeps painting; the work must not ask the user anything.
class LongTaskRunner {
public:
    using Work = std::function<void(TaskProgress&)>;

    virtual ~LongTaskRunner() = default;
    virtual void run(const QString& label, const Work& work) = 0;
};

// Runs the work at once on the caller's thread (the command line, tests).
class InlineTaskRunner : public LongTaskRunner {
public:
    void run(const QString&, const Work& work) override {
        TaskProgress progress;
        work(progress);
    }
};
