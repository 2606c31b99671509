#pragma once

#include "SearchRequest.h"
#include "store/CurrentKnowledgeBase.h"

#include <QStringList>
#include <QThread>
#include <atomic>
#include <memory>

class KbSearchIndex;

// The worker of a knowledge-base search. It opens a connection of its own
// to the base's database file, runs KbSearchEngine and hands the rows, the
// count line last, to the thread that owns it through queued signals, each
// stamped with the search's generation so the receiver can tell a stopped
// search's late rows from the current search's. Rows go out in batches, at
// least every 50 ms while rows are coming. It never asks the user anything.
// Given the base's KbSearchIndex, it answers the searches the index serves
// from it, and reads the index again itself when the base has changed, so
// the window's thread never waits for that; the connection of its own is
// then only opened when the index cannot be read.
class KbSearchThread : public QThread {
    Q_OBJECT
public:
    KbSearchThread(const SearchRequest& request, const CurrentKnowledgeBase& base,
                   quint64 generation, std::shared_ptr<KbSearchIndex> index = nullptr,
                   QObject* parent = nullptr);
    // Stops the search and waits for the thread.
    ~KbSearchThread() override;

    quint64 Generation() const { return m_generation; }
    const SearchRequest& Request() const { return m_request; }

    // Thread-safe; the search ends at its next check point.
    void RequestStop() { m_stop.store(true); }
    bool StopRequested() const { return m_stop.load(); }

signals:
    void rowsAdded(quint64 generation, int window, const QStringList& rows);
    void failureReported(quint64 generation, const QString& text, const QString& caption);
    // The last signal of every search, stopped or not, after the count line.
    void searchEnded(quint64 generation, qint64 found);

protected:
    void run() override;

private:
    const SearchRequest m_request;
    const CurrentKnowledgeBase m_base;
    const quint64 m_generation;
    const std::shared_ptr<KbSearchIndex> m_index;
    std::atomic<bool> m_stop{false};
};
