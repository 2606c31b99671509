#pragma once

#include "ContentIndexFilter.h"
#include "FileSearchRow.h"
#include "SearchRequest.h"
#include "store/CurrentKnowledgeBase.h"

#include <QList>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

// The worker of a file search. It runs FileSearchEngine on a thread of its
// own and hands everything it finds to the thread that owns it through
// queued signals, each stamped with the search's generation so that the
// receiver can tell a stopped search's late rows and end from the current
// search's. Rows are sent in small batches, at least every 50 ms while rows
// are coming. The worker never asks the user anything itself: a question is
// sent out and the worker waits for AnswerQuestion, or for the stop flag.
class CSearchThread : public QThread {
    Q_OBJECT
public:
    // index: what the base's content index may spare the search (nothing
    // when disabled).
    CSearchThread(const SearchRequest& request, const CurrentKnowledgeBase& base,
                  quint64 generation, const ContentIndexUse& index = {}, QObject* parent = nullptr);
    // Stops the search and waits for the thread.
    ~CSearchThread() override;

    quint64 Generation() const { return m_generation; }
    const SearchRequest& Request() const { return m_request; }

    // Thread-safe; the search ends at its next check point.
    void RequestStop();
    bool StopRequested() const { return m_stop.load(); }

    // The user's answer to questionAsked; true to go on.
    void AnswerQuestion(bool goOn);

    // The totals when the search has ended.
    FileSearchTotals Totals() const { return m_totals; }

signals:
    void rowsAdded(quint64 generation, int window, const QList<FileSearchRow>& rows);
    void totalsChanged(quint64 generation, const FileSearchTotals& totals);
    void questionAsked(quint64 generation, const QString& question);
    void failureReported(quint64 generation, const QString& text, const QString& caption);
    // The last signal of every search, stopped or not.
    void searchEnded(quint64 generation);

protected:
    void run() override;

private:
    class Sink;
    friend class Sink;

    bool waitForAnswer();

    const SearchRequest m_request;
    const CurrentKnowledgeBase m_base;
    const ContentIndexUse m_index;
    const quint64 m_generation;
    std::atomic<bool> m_stop{false};
    FileSearchTotals m_totals;

    std::mutex m_answerMutex;
    std::condition_variable m_answerReady;
    std::optional<bool> m_answer;
};
