#include "CSearchThread.h"

#include "FileSearchEngine.h"
#include "FileSearchSink.h"

#include <QElapsedTimer>
#include <chrono>

class CSearchThread::Sink : public FileSearchSink {
public:
    explicit Sink(CSearchThread& thread) : m_thread(thread) { m_sinceFlush.start(); }

    void AddRow(const FileSearchRow& row) override {
        m_rows.append(row);
        flushIfDue();
    }
    void TotalsChanged(const FileSearchTotals& totals) override {
        m_totals = totals;
        m_totalsPending = true;
        flushIfDue();
    }
    bool AskContinue(const QString& question) override {
        Flush();
        emit m_thread.questionAsked(m_thread.m_generation, question);
        return m_thread.waitForAnswer();
    }
    void Tell(const QString& text, const QString& caption) override {
        Flush();
        emit m_thread.failureReported(m_thread.m_generation, text, caption);
    }

    void Flush() {
        if (!m_rows.isEmpty()) {
            emit m_thread.rowsAdded(m_thread.m_generation, m_thread.m_request.ResultWindow, m_rows);
            m_rows.clear();
        }
        if (m_totalsPending) {
            emit m_thread.totalsChanged(m_thread.m_generation, m_totals);
            m_totalsPending = false;
        }
        m_sinceFlush.restart();
    }

private:
    // A queued signal per row would flood the receiver's event queue on a
    // search with a million hits; a batch per 50 ms still shows rows as
    // they come.
    void flushIfDue() {
        if (m_rows.size() >= 1000 || m_sinceFlush.elapsed() >= 50)
            Flush();
    }

    CSearchThread& m_thread;
    QList<FileSearchRow> m_rows;
    FileSearchTotals m_totals;
    bool m_totalsPending = false;
    QElapsedTimer m_sinceFlush;
};

CSearchThread::CSearchThread(const SearchRequest& request, const CurrentKnowledgeBase& base,
                             quint64 generation, const ContentIndexUse& index, QObject* parent)
    : QThread(parent), m_request(request), m_base(base), m_index(index), m_generation(generation) {}

CSearchThread::~CSearchThread() {
    RequestStop();
    wait();
}

void CSearchThread::RequestStop() {
    m_stop.store(true);
    std::lock_guard lock(m_answerMutex);
    m_answerReady.notify_all();
}

void CSearchThread::AnswerQuestion(bool goOn) {
    std::lock_guard lock(m_answerMutex);
    m_answer = goOn;
    m_answerReady.notify_all();
}

bool CSearchThread::waitForAnswer() {
    // A stop while the question is open counts as "No", so stopping or
    // destroying the thread never waits for a user who is not asked anymore.
    std::unique_lock lock(m_answerMutex);
    m_answerReady.wait(lock, [this] { return m_answer.has_value() || m_stop.load(); });
    const bool goOn = m_answer.value_or(false) && !m_stop.load();
    m_answer.reset();
    return goOn;
}

void CSearchThread::run() {
    Sink sink(*this);
    FileSearchEngine engine(m_request, m_base, sink, m_stop);
    engine.SetContentIndex(m_index);
    m_totals = engine.Run();
    sink.Flush();
    emit searchEnded(m_generation);
}
