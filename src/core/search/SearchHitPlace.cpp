#include "SearchHitPlace.h"

#include "PlainQuery.h"
#include "SearchRegExp.h"
#include "SearchRequest.h"
#include "SearchableText.h"

namespace {

// The first match in the line, as the file search found it.
std::optional<QString> firstMatch(QStringView lineText, const SearchRequest& request) {
    if (request.RegularExpression) {
        const SearchRegExp regex(request.QueryText, request.MatchCase != 0);
        if (!regex.IsValid())
            return std::nullopt;
        const auto matches = regex.Execute(lineText);
        for (const auto& m : matches) {
            if (m.length > 0)
                return lineText.sliced(m.start, m.length).toString();
        }
        return std::nullopt;
    }
    const PlainQuery query(request.QueryText, request.MatchCase != 0, request.WholeWord != 0);
    const qsizetype at = query.Next(query.Prepare(lineText), 0);
    if (at < 0)
        return std::nullopt;
    return lineText.sliced(at, query.Compared().size()).toString();
}

} // namespace

std::optional<SearchHitPlace> SearchHitPlace::Find(const QString& path, qint64 line,
                                                   const SearchRequest& request) {
    const std::optional<QString> text = SearchableText::Read(path, true);
    if (!text || line < 1)
        return std::nullopt;
    qsizetype lineStart = 0;
    for (qint64 n = 1; n < line; ++n) {
        lineStart = text->indexOf(u'\n', lineStart);
        if (lineStart < 0)
            return std::nullopt;
        ++lineStart;
    }
    qsizetype lineEnd = text->indexOf(u'\n', lineStart);
    if (lineEnd < 0)
        lineEnd = text->size();
    const auto match =
        firstMatch(QStringView(*text).sliced(lineStart, lineEnd - lineStart), request);
    if (!match)
        return std::nullopt;
    // The reader's find goes on from the end of the occurrence it found, so
    // occurrences are counted the same way, without overlaps, up to the line.
    const Qt::CaseSensitivity cs = request.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    SearchHitPlace place{*match, 0};
    for (qsizetype at = text->indexOf(*match, 0, cs); at >= 0 && at < lineStart;
         at = text->indexOf(*match, at + match->size(), cs))
        ++place.occurrence;
    return place;
}
