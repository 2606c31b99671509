#include "FileContentSearch.h"

#include "FileSearchSink.h"
#include "SearchRequest.h"
#include "SearchableText.h"

#include <QFileInfo>

// A document's text is made from the whole file at once, so it is searched
// whole, plain query and expression alike, and each match is reported on
// the line of that text it starts in.
FileContentSearch::Outcome FileContentSearch::searchDocument(const QString& path,
                                                             FileSearchTotals& totals) {
    if (m_regex && !m_regex->IsValid()) {
        // As for any file: only one that can be read raises the question.
        if (QFileInfo(path).isFile() && !askAboutExpression())
            return Outcome::Stop;
        m_sink.TotalsChanged(totals);
        return Outcome::GoOn;
    }
    const std::optional<QString> text = SearchableText::Read(path, true);
    if (!text) {
        m_sink.TotalsChanged(totals);
        return Outcome::GoOn;
    }
    m_bytesRead += QFileInfo(path).size();
    m_path = path;
    m_totals = &totals;
    m_fileMatched = false;
    if (searchDocumentText(*text) == Step::Stop)
        return Outcome::Stop;
    m_sink.TotalsChanged(totals);
    return Outcome::GoOn;
}

FileContentSearch::Step FileContentSearch::searchDocumentText(const QString& text) {
    qsizetype counted = 0;
    qint64 lineFeeds = 0;
    const auto lineOf = [&](qsizetype pos) {
        lineFeeds += QStringView(text).sliced(counted, pos - counted).count(u'\n');
        counted = pos;
        return lineFeeds + 1;
    };
    if (m_regex) {
        auto it =
            m_regex->Regex().globalMatch(text, 0, QRegularExpression::NormalMatch,
                                         QRegularExpression::DontCheckSubjectStringMatchOption);
        while (it.hasNext()) {
            if (stopRequested())
                return Step::Stop;
            const QRegularExpressionMatch m = it.next();
            const Step step =
                report(text, m.capturedStart(), m.capturedLength(), lineOf(m.capturedStart()));
            if (step != Step::GoOn)
                return step;
        }
        return Step::GoOn;
    }
    const QString prepared = m_plain->Prepare(text);
    for (qsizetype pos = m_plain->Next(prepared, 0); pos >= 0;
         pos = m_plain->Next(prepared, pos + 1)) {
        const Step step = report(text, pos, m_plain->Compared().size(), lineOf(pos));
        if (step != Step::GoOn)
            return step;
        if (stopRequested())
            return Step::Stop;
    }
    return Step::GoOn;
}
