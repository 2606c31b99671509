#pragma once

#include "FileSearchRow.h"
#include "PlainQuery.h"
#include "SearchRegExp.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <atomic>
#include <optional>

class FileSearchSink;
struct SearchRequest;

// Searches the content of one file after another for a file search and
// reports the file row and the line rows of each. A file's text runs to its
// first zero byte (so a binary file is searched only up to there) and is
// UTF-8 when its first 64 KB are well-formed UTF-8, else GB18030: the
// encodings the editor opens it in. The file is read in blocks and searched a
// run of whole lines at a time, so memory stays near one block plus the
// longest line; only when a match may span lines (a query or an expression
// that can hold a line feed) is a file taken whole. A rich-text note or a
// saved web page is searched, whole, in the text a reader sees in it
// (SearchableText) unless the request asks for its markup.
class FileContentSearch {
public:
    enum class Outcome { GoOn, Stop };

    FileContentSearch(const SearchRequest& request, FileSearchSink& sink,
                      const std::atomic<bool>& stop);
    ~FileContentSearch();

    // Searches the file at path and updates totals; the caller has already
    // counted it in FilesSearched. A file that cannot be opened or read is
    // passed over without a word.
    Outcome Search(const QString& path, FileSearchTotals& totals);

    // Bytes read from files so far: how far a stopped search got.
    qint64 BytesRead() const { return m_bytesRead; }

    static constexpr qsizetype kBlockSize = qsizetype(1) << 18;
    // How much of a file's start tells UTF-8 from GB18030.
    static constexpr qsizetype kEncodingHead = qsizetype(64) << 10;

private:
    enum class Step { GoOn, FileDone, Stop };

    // A document's text (SearchableText) is searched whole.
    Outcome searchDocument(const QString& path, FileSearchTotals& totals);
    Step searchDocumentText(const QString& text);

    Step searchChunk(const char* data, qsizetype size, bool first, bool last);
    using LineSearch = Step (FileContentSearch::*)(const char* data, qsizetype lineStart,
                                                   qsizetype lineEnd);
    Step searchBytes(const char* data, qsizetype size, const ByteFinder& anchor, bool guard,
                     LineSearch searchLine);
    Step searchLine(const char* data, qsizetype lineStart, qsizetype lineEnd);
    Step searchRegexLine(const char* data, qsizetype lineStart, qsizetype lineEnd);
    bool holdsPiecesInOrder(const char* data, qsizetype lineStart, qsizetype lineEnd) const;
    Step searchRegexWindow(const QString& window, qsizetype offset, bool last, qint64 line);
    qint64 lineNumberAt(const char* data, qsizetype lineStart);
    Step searchText(const char* data, qsizetype size);
    Step searchRegex(const char* data, qsizetype size, bool first, bool last);
    Step report(QStringView text, qsizetype pos, qsizetype length, qint64 line);
    qsizetype nextGuard(const char* data, qsizetype from, qsizetype size) const;
    static qsizetype nextUtf8Guard(const char* data, qsizetype from, qsizetype size);
    QString decode(const char* data, qsizetype size);
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
    bool askAboutExpression();

    const SearchRequest& m_request;
    FileSearchSink& m_sink;
    const std::atomic<bool>& m_stop;
    std::optional<PlainQuery> m_plain;
    std::optional<SearchRegExp> m_regex;
    // Bytes of the text every match holds, when known: [0] GB18030, [1] UTF-8.
    ByteFinder m_regexAnchor[2];
    // All the texts every match holds, in order, when there are several.
    QList<ByteFinder> m_regexPieces[2];
    bool m_regexGuard = false;
    bool m_wholeFile = false;
    bool m_expressionAnswered = false; // the user chose to go on despite a bad pattern
    QStringDecoder m_decoder;          // GB18030
    QByteArray m_buffer;
    qint64 m_bytesRead = 0;

    // Per file.
    QString m_path;
    bool m_utf8 = false;
    FileSearchTotals* m_totals = nullptr;
    bool m_fileMatched = false;
    qint64 m_lineFeedsBefore = 0; // line feeds of the file before the current chunk
    qsizetype m_countedTo = 0;    // within the chunk
    qint64 m_countedLineFeeds = 0;
    bool m_chunkFirst = false;
    bool m_chunkLast = false;
    qsizetype m_chunkSize = 0;
};
