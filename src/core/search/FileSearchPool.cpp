#include "FileSearchPool.h"

#include "FileSearchSink.h"
#include "SearchRegExp.h"
#include "SearchRequest.h"

#include <QFile>
#include <QThread>
#include <chrono>
#include <sys/stat.h>
#include <system_error>

// One file handed to the searchers, from the walk until it is reported.
struct FileSearchPool::Job {
    QString path;
    QList<FileSearchRow> rows; // found and not yet taken by the caller
    qint64 found = 0;
    qint64 reported = 0;
    bool head = false; // the file being reported
    bool done = false;
    Outcome outcome = Outcome::GoOn;
};

// Catches what a searcher's FileContentSearch reports about its current file.
class FileSearchPool::JobSink : public FileSearchSink {
public:
    explicit JobSink(FileSearchPool& pool) : m_pool(pool) {}

    void AddRow(const FileSearchRow& row) override { m_pool.addRow(*m_job, row); }
    void aboutToReadBlock(qint64 fileBytesRead) override { m_pool.catchUp(*m_job, fileBytesRead); }
    // The caller reports the totals itself, in the files' order.
    void TotalsChanged(const FileSearchTotals&) override {}
    // Only a good expression is searched on a searcher thread.
    bool AskContinue(const QString&) override { return false; }
    void Tell(const QString&, const QString&) override {}

    Job* m_job = nullptr;

private:
    FileSearchPool& m_pool;
};

namespace {

// With a bad expression the user is asked on the first file, and that
// question belongs on the caller's thread, so such a search stays there.
int searcherCount(const SearchRequest& request) {
    if (request.RegularExpression &&
        !SearchRegExp(request.QueryText, request.MatchCase != 0).IsValid())
        return 0;
    const int ideal = QThread::idealThreadCount();
    return ideal > 1 ? ideal : 0;
}

} // namespace

FileSearchPool::FileSearchPool(const SearchRequest& request, FileSearchSink& sink,
                               const std::atomic<bool>& stop)
    : m_request(request), m_sink(sink), m_stop(stop), m_inline(request, sink, stop),
      m_threadCount(searcherCount(request)) {}

FileSearchPool::~FileSearchPool() {
    Close();
}

qint64 FileSearchPool::BytesRead() const {
    qint64 bytes = m_inline.BytesRead();
    for (const auto& content : m_contents)
        bytes += content->BytesRead();
    return bytes;
}

bool FileSearchPool::searchInline(const QString& path) {
    if (m_threadCount == 0)
        return true;
    if (!m_threads.empty())
        return false;
    // Starting the threads costs more than a few small files take.
    struct stat st;
    const qint64 size =
        ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_size) : 0;
    if (m_inlineBytes + size > kInlineBytes)
        return false;
    m_inlineBytes += size;
    return true;
}

void FileSearchPool::start() {
    // Each searcher has its own content search, sink and buffers; only the
    // jobs are shared.
    for (int i = 0; i < m_threadCount; ++i) {
        m_sinks.push_back(std::make_unique<JobSink>(*this));
        m_contents.push_back(
            std::make_unique<FileContentSearch>(m_request, *m_sinks.back(), m_stop));
    }
    for (int i = 0; i < m_threadCount; ++i) {
        try {
            m_threads.emplace_back(&FileSearchPool::work, this, std::ref(*m_contents[size_t(i)]),
                                   std::ref(*m_sinks[size_t(i)]));
        } catch (const std::system_error&) {
            break; // fewer searchers, or none: the caller's thread goes on alone
        }
    }
    if (m_threads.empty())
        m_threadCount = 0;
}

void FileSearchPool::work(FileContentSearch& content, JobSink& sink) {
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(m_mutex);
            m_queued.wait(lock, [this] { return m_closing || !m_waiting.empty(); });
            if (m_closing)
                return;
            job = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        sink.m_job = job.get();
        FileSearchTotals unused; // the caller counts from the rows
        const Outcome outcome = content.Search(job->path, unused);
        bool head;
        {
            std::lock_guard lock(m_mutex);
            job->done = true;
            job->outcome = outcome;
            head = job->head;
        }
        if (head)
            m_published.notify_one();
    }
}

void FileSearchPool::addRow(Job& job, const FileSearchRow& row) {
    // The caller takes the rows of the file it reports when it ends, or a
    // block at a time while it goes on (catchUp): waking it for each file's
    // first row cost a switch of threads per file on a machine of two cores.
    std::unique_lock lock(m_mutex);
    job.rows.append(row);
    ++job.found;
    if (job.rows.size() < kHeldRows)
        return;
    // A file whose turn has not come waits here instead of piling up rows;
    // the one being reported has its pile taken now. The stop flag is
    // nobody's condition variable, hence the time out.
    if (job.head)
        m_published.notify_one();
    while (job.rows.size() >= kHeldRows && !m_closing && !stopRequested())
        m_drained.wait_for(lock, std::chrono::milliseconds(20));
}

void FileSearchPool::catchUp(Job& job, qint64 fileBytesRead) {
    std::unique_lock lock(m_mutex);
    if (job.head && !job.rows.isEmpty())
        m_published.notify_one();
    // Only a long file being reported waits, and only once it is well on:
    // a stop set on its rows then ends it within a few blocks.
    if (fileBytesRead < kRunAheadBytes)
        return;
    while (job.head && job.reported < job.found && !m_closing && !stopRequested())
        m_drained.wait_for(lock, std::chrono::milliseconds(20));
}

FileSearchPool::Outcome FileSearchPool::Search(const QString& path, FileSearchTotals& totals) {
    if (searchInline(path)) {
        ++totals.FilesSearched;
        return m_inline.Search(path, totals);
    }
    if (m_threads.empty()) {
        start();
        if (m_threads.empty()) {
            ++totals.FilesSearched;
            return m_inline.Search(path, totals);
        }
    }
    auto job = std::make_shared<Job>();
    job->path = path;
    {
        std::lock_guard lock(m_mutex);
        job->head = m_inFlight.empty();
        m_waiting.push_back(job);
    }
    m_inFlight.push_back(std::move(job));
    m_queued.notify_one();
    // What is ready goes out now; the walk waits only when the window of
    // files in flight is full.
    for (;;) {
        const size_t window = size_t(kFilesPerThread) * m_threads.size();
        const Wait wait = m_inFlight.size() > window ? Wait::Yes : Wait::No;
        const Reported reported = reportHead(totals, wait);
        if (reported == Reported::Stop)
            return Outcome::Stop;
        if (reported == Reported::Pending || m_inFlight.empty())
            return Outcome::GoOn;
    }
}

FileSearchPool::Outcome FileSearchPool::Finish(FileSearchTotals& totals) {
    while (!m_inFlight.empty()) {
        if (reportHead(totals, Wait::Yes) == Reported::Stop)
            return Outcome::Stop;
    }
    return Outcome::GoOn;
}

FileSearchPool::Reported FileSearchPool::reportHead(FileSearchTotals& totals, Wait wait) {
    Job& job = *m_inFlight.front();
    if (!m_headStarted) {
        // As between files of the walk: once stopped, no further file counts.
        if (stopRequested())
            return Reported::Stop;
        ++totals.FilesSearched;
        m_headStarted = true;
    }
    QList<FileSearchRow> rows;
    for (;;) {
        bool done;
        Outcome outcome;
        {
            std::unique_lock lock(m_mutex);
            if (wait == Wait::Yes)
                m_published.wait(lock, [&job] { return !job.rows.isEmpty() || job.done; });
            rows.swap(job.rows);
            done = job.done;
            outcome = job.outcome;
        }
        if (!rows.isEmpty())
            m_drained.notify_all();
        // The same steps, in the same order, as the file's search on this
        // thread would take.
        for (const FileSearchRow& row : std::as_const(rows)) {
            if (row.level == 1) {
                ++totals.FilesMatched;
                m_sink.AddRow(row);
            } else {
                if (stopRequested())
                    return Reported::Stop;
                m_sink.AddRow(row);
                ++totals.LinesMatched;
            }
        }
        if (!rows.isEmpty()) {
            {
                std::lock_guard lock(m_mutex);
                job.reported += rows.size();
            }
            m_drained.notify_all();
            rows.clear();
        }
        if (done) {
            m_inFlight.pop_front();
            m_headStarted = false;
            if (!m_inFlight.empty()) {
                std::lock_guard lock(m_mutex);
                m_inFlight.front()->head = true;
            }
            // Searched here, a file with line rows would have looked at the
            // flag once more, before its next block, and ended without its
            // totals; one searched for its name ends at its file row.
            if (outcome == Outcome::Stop || (stopRequested() && !m_request.NamesOnly))
                return Reported::Stop;
            m_sink.TotalsChanged(totals);
            return stopRequested() ? Reported::Stop : Reported::Done;
        }
        if (wait == Wait::No)
            return Reported::Pending;
    }
}

void FileSearchPool::Close() {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_waiting.clear();
    }
    m_queued.notify_all();
    m_drained.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    m_threadCount = 0;
    m_inFlight.clear();
    m_headStarted = false;
}
