#include "FileContentSearch.h"

#include "ByteScan.h"
#include "CaseFold.h"
#include "FileSearchSink.h"
#include "LineRow.h"
#include "SearchRequest.h"
#include "SearchableText.h"
#include "config/TextCodec.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Keeps a file descriptor for the length of one file.
class FileHandle {
public:
    explicit FileHandle(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~FileHandle() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // The size of a regular file, -1 for anything else: a pipe or a device
    // could block or never end.
    qint64 regularFileSize() const {
        struct stat st;
        if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))
            return -1;
        return qint64(st.st_size);
    }
    // Bytes read, 0 at the end, -1 on failure.
    qsizetype read(char* into, qsizetype size) const {
        for (;;) {
            const ssize_t n = ::read(m_fd, into, size_t(size));
            if (n >= 0 || errno != EINTR)
                return qsizetype(n);
        }
    }

private:
    int m_fd;
};

} // namespace

FileContentSearch::FileContentSearch(const SearchRequest& request, FileSearchSink& sink,
                                     const std::atomic<bool>& stop)
    : m_request(request), m_sink(sink), m_stop(stop), m_decoder("GB18030") {
    if (request.RegularExpression) {
        m_regex.emplace(request.QueryText, request.MatchCase != 0);
        m_wholeFile = m_regex->MayMatchAcrossLines();
        // Lines without the required text hold no match, so only the lines
        // where its bytes turn up are decoded and run through the
        // expression. A text of one or two bytes is found on too many lines
        // to pay.
        const QString required = m_regex->RequiredText();
        const QByteArray bytes = TextCodec::encode(required);
        if (!m_wholeFile && bytes.size() >= 3) {
            m_regexAnchor[0] = ByteFinder(bytes, !request.MatchCase);
            m_regexAnchor[1] = ByteFinder(required.toUtf8(), !request.MatchCase);
            // A line may hold the longest text many times more often than
            // a match ("keep" against "keep.ake"): the other texts, looked
            // for in order in its bytes, spare the decoding and the
            // expression on most of those lines.
            const QStringList pieces = m_regex->RequiredPieces();
            if (pieces.size() > 1) {
                for (const QString& piece : pieces) {
                    m_regexPieces[0].append(
                        ByteFinder(TextCodec::encode(piece), !request.MatchCase));
                    m_regexPieces[1].append(ByteFinder(piece.toUtf8(), !request.MatchCase));
                }
            }
            // Without case, PCRE also takes the Kelvin sign for k and the
            // long s for s.
            m_regexGuard = !request.MatchCase &&
                           required.contains(QRegularExpression(QStringLiteral("[ksKS]")));
        }
    } else {
        m_plain.emplace(request.QueryText, request.MatchCase != 0, request.WholeWord != 0);
        m_wholeFile = !m_plain->FitsInLine();
    }
}

FileContentSearch::~FileContentSearch() = default;

bool FileContentSearch::askAboutExpression() {
    // The fault is the pattern's, not the file's, so one answer holds for the
    // whole search instead of the same question for every file.
    if (m_expressionAnswered)
        return true;
    if (!m_sink.AskContinue(m_regex->ContinueQuestion()))
        return false;
    m_expressionAnswered = true;
    return true;
}

FileContentSearch::Outcome FileContentSearch::Search(const QString& path,
                                                     FileSearchTotals& totals) {
    if (m_request.DocumentText &&
        SearchableText::IsDocument(QStringView(path).sliced(path.lastIndexOf(u'/') + 1)))
        return searchDocument(path, totals);
    FileHandle file(path);
    const qint64 size = file.regularFileSize();
    if (size < 0) {
        m_sink.TotalsChanged(totals);
        return Outcome::GoOn;
    }
    if (m_regex && !m_regex->IsValid()) {
        if (!askAboutExpression())
            return Outcome::Stop;
        m_sink.TotalsChanged(totals);
        return Outcome::GoOn;
    }

    m_path = path;
    m_totals = &totals;
    m_fileMatched = false;
    m_lineFeedsBefore = 0;
    m_decoder.resetState();

    qsizetype used = 0;
    qint64 fileRead = 0;
    bool first = true;
    bool end = false;
    Step step = Step::GoOn;
    while (!end && step == Step::GoOn) {
        m_sink.aboutToReadBlock(fileRead);
        if (stopRequested())
            return Outcome::Stop;
        // The first block is only as long as the head that tells the
        // encoding: a search for names often ends in it, and most files
        // are smaller than a whole block anyway.
        const qsizetype want = first ? kEncodingHead : kBlockSize;
        if (m_buffer.size() < used + want)
            m_buffer.resize(used + want);
        char* data = m_buffer.data();
        qsizetype n = file.read(data + used, want);
        if (n <= 0) {
            end = true;
            n = 0;
        }
        m_bytesRead += n;
        fileRead += n;
        // The size the file had when opened ends it without one more read,
        // and tells the last chunk, after which no line feeds need counting.
        // (A file of the kernel's shows a size of 0 whatever it holds.)
        if (size > 0 && fileRead >= size)
            end = true;
        // The text ends at the first zero byte: a binary file is searched only
        // up to there.
        if (const void* zero = std::memchr(data + used, 0, size_t(n))) {
            n = static_cast<const char*>(zero) - (data + used);
            end = true;
        }
        const qsizetype fresh = used;
        used += n;
        if (first && fresh == 0) {
            // The head decides, as it would for the editor; checking the
            // whole block would cost a names-only search a second pass.
            const qsizetype head = std::min(n, kEncodingHead);
            m_utf8 = TextCodec::readsAsUtf8(QByteArrayView(data, head), !end || head < n);
        }

        qsizetype chunk = used;
        if (!end) {
            if (m_wholeFile)
                continue;
            const void* lf = memrchr(data + fresh, '\n', size_t(n));
            if (!lf)
                continue; // the line goes on in the next block
            chunk = static_cast<const char*>(lf) - data + 1;
        }
        if (chunk > 0)
            step = searchChunk(data, chunk, first, end);
        first = false;
        std::memmove(data, data + chunk, size_t(used - chunk));
        used -= chunk;
    }
    // A file with one huge line leaves a huge buffer; the next files do not
    // need it.
    if (m_buffer.size() > 8 * kBlockSize)
        m_buffer = QByteArray();
    if (step == Step::Stop)
        return Outcome::Stop;
    m_sink.TotalsChanged(totals);
    return Outcome::GoOn;
}

FileContentSearch::Step FileContentSearch::searchChunk(const char* data, qsizetype size, bool first,
                                                       bool last) {
    m_countedTo = 0;
    m_countedLineFeeds = 0;
    m_chunkFirst = first;
    m_chunkLast = last;
    m_chunkSize = size;
    Step step;
    if (m_regex && !m_regexAnchor[m_utf8].IsEmpty())
        step = searchBytes(data, size, m_regexAnchor[m_utf8], m_regexGuard,
                           &FileContentSearch::searchRegexLine);
    else if (m_regex)
        step = searchRegex(data, size, first, last);
    else if (m_plain->HasAnchor() && !m_wholeFile)
        step = searchBytes(data, size, m_plain->Anchor(m_utf8), m_plain->NeedsGuard(),
                           &FileContentSearch::searchLine);
    else
        step = searchText(data, size);
    if (step == Step::GoOn && !m_request.NamesOnly && !last)
        m_lineFeedsBefore +=
            m_countedLineFeeds + ByteScan::CountLineFeeds(data + m_countedTo, data + size);
    return step;
}

QString FileContentSearch::decode(const char* data, qsizetype size) {
    if (ByteScan::IsAscii(data, data + size))
        return QString::fromLatin1(data, size);
    if (m_utf8)
        return QString::fromUtf8(data, size);
    return m_decoder.decode(QByteArrayView(data, size));
}

qsizetype FileContentSearch::nextGuard(const char* data, qsizetype from, qsizetype size) const {
    if (m_utf8)
        return nextUtf8Guard(data, from, size);
    // Every non-ASCII character that folds to an ASCII letter is written in
    // GB18030 with four bytes that start 0x81 and a digit.
    while (from < size) {
        const void* hit = std::memchr(data + from, 0x81, size_t(size - from));
        if (!hit)
            return size;
        const qsizetype at = static_cast<const char*>(hit) - data;
        if (at + 1 < size && data[at + 1] >= '0' && data[at + 1] <= '9')
            return at;
        from = at + 1;
    }
    return size;
}

qsizetype FileContentSearch::nextUtf8Guard(const char* data, qsizetype from, qsizetype size) {
    // The characters that fold to an ASCII letter all lie in the BMP, and
    // their UTF-8 forms start with one of a few lead bytes: each is looked
    // for with memchr, as the GB18030 guard is, and a hit is decoded to see
    // whether it is one of them.
    static const QByteArray leads = [] {
        QByteArray found;
        for (char32_t u = 0x80; u < 0x10000; ++u) {
            if (CaseFold::Fold(char16_t(u)) < 0x80) {
                const char lead = QString(QChar(char16_t(u))).toUtf8().at(0);
                if (!found.contains(lead))
                    found.append(lead);
            }
        }
        return found;
    }();
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    auto foldsToAscii = [&](qsizetype at) {
        const unsigned char lead = bytes[at];
        char16_t c;
        if (lead < 0xE0 && at + 1 < size)
            c = char16_t((lead & 0x1F) << 6 | (bytes[at + 1] & 0x3F));
        else if (lead >= 0xE0 && lead < 0xF0 && at + 2 < size)
            c = char16_t((lead & 0x0F) << 12 | (bytes[at + 1] & 0x3F) << 6 |
                         (bytes[at + 2] & 0x3F));
        else
            return false;
        return c >= 0x80 && CaseFold::Fold(c) < 0x80;
    };
    qsizetype best = size;
    for (const char lead : leads) {
        for (qsizetype at = from; at < best;) {
            const void* hit = std::memchr(data + at, lead, size_t(best - at));
            if (!hit)
                break;
            const qsizetype pos = static_cast<const char*>(hit) - data;
            if (foldsToAscii(pos)) {
                best = pos;
                break;
            }
            at = pos + 1;
        }
    }
    return best;
}

FileContentSearch::Step FileContentSearch::searchBytes(const char* data, qsizetype size,
                                                       const ByteFinder& anchor, bool guard,
                                                       LineSearch searchLine) {
    qsizetype guardAt = guard ? nextGuard(data, 0, size) : size;
    qsizetype pos = 0; // always the start of a line not yet searched
    while (pos < size) {
        const qsizetype hit = anchor.Find(data + pos, data + size) - data;
        const qsizetype candidate = std::min(hit, guardAt);
        if (candidate >= size)
            break;
        if (stopRequested())
            return Step::Stop;
        const void* before = memrchr(data + pos, '\n', size_t(candidate - pos));
        const qsizetype lineStart = before ? static_cast<const char*>(before) - data + 1 : pos;
        const void* after = std::memchr(data + candidate, '\n', size_t(size - candidate));
        const qsizetype lineEnd = after ? static_cast<const char*>(after) - data + 1 : size;
        const Step step = (this->*searchLine)(data, lineStart, lineEnd);
        if (step != Step::GoOn)
            return step;
        pos = lineEnd;
        if (guardAt < pos)
            guardAt = nextGuard(data, pos, size);
    }
    return Step::GoOn;
}

FileContentSearch::Step FileContentSearch::searchLine(const char* data, qsizetype lineStart,
                                                      qsizetype lineEnd) {
    const QString text = decode(data + lineStart, lineEnd - lineStart);
    const QString prepared = m_plain->Prepare(text);
    qsizetype pos = m_plain->Next(prepared, 0);
    if (pos < 0)
        return Step::GoOn;
    const qint64 line = lineNumberAt(data, lineStart);
    for (; pos >= 0; pos = m_plain->Next(prepared, pos + 1)) {
        const Step step = report(text, pos, m_plain->Compared().size(), line);
        if (step != Step::GoOn)
            return step;
    }
    return Step::GoOn;
}

qint64 FileContentSearch::lineNumberAt(const char* data, qsizetype lineStart) {
    if (m_request.NamesOnly)
        return 0;
    m_countedLineFeeds += ByteScan::CountLineFeeds(data + m_countedTo, data + lineStart);
    m_countedTo = lineStart;
    return 1 + m_lineFeedsBefore + m_countedLineFeeds;
}

FileContentSearch::Step FileContentSearch::searchRegexLine(const char* data, qsizetype lineStart,
                                                           qsizetype lineEnd) {
    // The line is searched as searchRegex searches a chunk: behind the line
    // feed before it unless it starts the file.
    if (!holdsPiecesInOrder(data, lineStart, lineEnd))
        return Step::GoOn;
    const bool fileStart = m_chunkFirst && lineStart == 0;
    const QString text = decode(data + lineStart, lineEnd - lineStart);
    const QString window = fileStart ? text : QStringLiteral("\n") + text;
    const bool last = m_chunkLast && lineEnd == m_chunkSize;
    return searchRegexWindow(window, fileStart ? 0 : 1, last, lineNumberAt(data, lineStart));
}

bool FileContentSearch::holdsPiecesInOrder(const char* data, qsizetype lineStart,
                                           qsizetype lineEnd) const {
    // A character that folds to an ASCII letter is spelled in other bytes
    // than the letter, so such a line goes to the expression unread.
    if (m_regexGuard && nextGuard(data, lineStart, lineEnd) < lineEnd)
        return true;
    const char* from = data + lineStart;
    const char* end = data + lineEnd;
    for (const ByteFinder& piece : m_regexPieces[m_utf8]) {
        const char* hit = piece.Find(from, end);
        if (hit == end)
            return false;
        from = hit + piece.Size();
    }
    return true;
}

FileContentSearch::Step FileContentSearch::searchRegexWindow(const QString& window,
                                                             qsizetype offset, bool last,
                                                             qint64 line) {
    auto it =
        m_regex->Regex().globalMatch(QStringView(window), offset, QRegularExpression::NormalMatch,
                                     QRegularExpression::DontCheckSubjectStringMatchOption);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (!last && m.capturedStart() >= window.size())
            break;
        const Step step = report(window, m.capturedStart(), m.capturedLength(), line);
        if (step != Step::GoOn)
            return step;
    }
    return Step::GoOn;
}

FileContentSearch::Step FileContentSearch::searchText(const char* data, qsizetype size) {
    const QString text = decode(data, size);
    const QString prepared = m_plain->Prepare(text);
    qsizetype counted = 0;
    qint64 lineFeeds = m_lineFeedsBefore;
    for (qsizetype pos = m_plain->Next(prepared, 0); pos >= 0;
         pos = m_plain->Next(prepared, pos + 1)) {
        lineFeeds += QStringView(text).sliced(counted, pos - counted).count(u'\n');
        counted = pos;
        const Step step = report(text, pos, m_plain->Compared().size(), lineFeeds + 1);
        if (step != Step::GoOn)
            return step;
        if (stopRequested())
            return Step::Stop;
    }
    return Step::GoOn;
}

FileContentSearch::Step FileContentSearch::searchRegex(const char* data, qsizetype size, bool first,
                                                       bool last) {
    // A chunk after the first is searched with the line feed that ends the
    // chunk before it in front, from just after it: "^" then cannot match
    // (it matches only where the text starts), and a look-behind or "\b"
    // sees the line feed it would see in the whole text.
    QString window;
    qsizetype offset = 0;
    if (first) {
        window = decode(data, size);
    } else {
        window = QStringLiteral("\n") + decode(data, size);
        offset = 1;
    }
    const QRegularExpression& regex = m_regex->Regex();
    if (m_request.NamesOnly) {
        const QRegularExpressionMatch m =
            regex.match(QStringView(window), offset, QRegularExpression::NormalMatch,
                        QRegularExpression::DontCheckSubjectStringMatchOption);
        if (m.hasMatch() && (last || m.capturedStart() < window.size()))
            return report(window, m.capturedStart(), m.capturedLength(), 0);
        return Step::GoOn;
    }
    qsizetype counted = offset;
    qint64 lineFeeds = m_lineFeedsBefore;
    auto it = regex.globalMatch(QStringView(window), offset, QRegularExpression::NormalMatch,
                                QRegularExpression::DontCheckSubjectStringMatchOption);
    while (it.hasNext()) {
        if (stopRequested())
            return Step::Stop;
        const QRegularExpressionMatch m = it.next();
        const qsizetype start = m.capturedStart();
        // An empty match where a chunk ends after its line feed belongs to the
        // next chunk, which starts there.
        if (!last && start >= window.size())
            break;
        lineFeeds += QStringView(window).sliced(counted, start - counted).count(u'\n');
        counted = start;
        const Step step = report(window, start, m.capturedLength(), lineFeeds + 1);
        if (step != Step::GoOn)
            return step;
    }
    return Step::GoOn;
}

FileContentSearch::Step FileContentSearch::report(QStringView text, qsizetype pos, qsizetype length,
                                                  qint64 line) {
    if (!m_fileMatched) {
        m_fileMatched = true;
        ++m_totals->FilesMatched;
        m_sink.AddRow({1, m_path});
        if (m_request.NamesOnly)
            return Step::FileDone;
    }
    if (stopRequested())
        return Step::Stop;
    m_sink.AddRow({2, LineRow::Format(text, pos, length, line)});
    ++m_totals->LinesMatched;
    return Step::GoOn;
}
