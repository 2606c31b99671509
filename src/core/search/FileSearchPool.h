#pragma once

#include "FileContentSearch.h"
#include "FileSearchRow.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class FileSearchSink;
struct SearchRequest;

// Searches the files the walk finds on all cores and still reports them as
// one thread searching them one after another would: each file's rows and
// its totals reach the sink in the order the files were handed in, on the
// caller's thread, and the totals the sink sees count only the files
// reported so far. A search of less than a few hundred kilobytes, and one
// with a bad expression (whose question must be asked on the caller's
// thread), never leaves the caller's thread.
//
// At most a few files per thread are in flight, and a file whose turn has
// not come yet holds back only a bounded number of rows before its thread
// waits, so a file with a huge result does not pile up in memory. The file
// being reported waits before each block until its rows are reported, so a
// stop set on one of them ends it where one thread would have. The stop flag
// ends every thread between blocks and before every line row; no row is
// reported once it is set, and files searched ahead are dropped.
class FileSearchPool {
public:
    using Outcome = FileContentSearch::Outcome;

    FileSearchPool(const SearchRequest& request, FileSearchSink& sink,
                   const std::atomic<bool>& stop);
    ~FileSearchPool();

    // Searches the file at path, now or on a searcher thread, and reports
    // what is due. Counts the file in FilesSearched when it is reported.
    Outcome Search(const QString& path, FileSearchTotals& totals);
    // Reports every file still in flight.
    Outcome Finish(FileSearchTotals& totals);
    // Ends the searcher threads and drops what has not been reported; the
    // files after are searched on the caller's thread.
    void Close();
    // Bytes read from files, by every thread, once closed: after a stop this
    // includes files read ahead and never reported.
    qint64 BytesRead() const;

    // Files in flight per thread, and rows a file waiting for its turn holds.
    static constexpr int kFilesPerThread = 4;
    static constexpr qsizetype kHeldRows = 4096;
    // How far into a file its searcher reads before it waits for the caller
    // to take that file's rows.
    static constexpr qint64 kRunAheadBytes = qint64(4) << 20;
    // A search stays on the caller's thread while its files add up to less.
    static constexpr qint64 kInlineBytes = qint64(512) << 10;

private:
    struct Job;
    class JobSink;

    bool searchInline(const QString& path);
    void start();
    void work(FileContentSearch& content, JobSink& sink);
    void addRow(Job& job, const FileSearchRow& row);
    void catchUp(Job& job, qint64 fileBytesRead);
    enum class Wait { No, Yes };
    enum class Reported { Done, Pending, Stop };
    // Reports what the first file in flight has found so far, or all of it
    // when waiting.
    Reported reportHead(FileSearchTotals& totals, Wait wait);
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }

    const SearchRequest& m_request;
    FileSearchSink& m_sink;
    const std::atomic<bool>& m_stop;
    FileContentSearch m_inline;
    int m_threadCount = 0;
    qint64 m_inlineBytes = 0;

    std::mutex m_mutex;
    std::condition_variable m_published;         // the caller waits for rows of the head
    std::condition_variable m_queued;            // searchers wait for a file
    std::condition_variable m_drained;           // searchers wait for room for rows
    std::deque<std::shared_ptr<Job>> m_waiting;  // not started yet
    std::deque<std::shared_ptr<Job>> m_inFlight; // not reported yet, in order
    bool m_closing = false;
    bool m_headStarted = false; // the head of m_inFlight is counted in totals
    std::vector<std::unique_ptr<JobSink>> m_sinks;
    std::vector<std::unique_ptr<FileContentSearch>> m_contents;
    std::vector<std::thread> m_threads;
};
