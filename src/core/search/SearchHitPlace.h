#pragma once

#include <QString>
#include <optional>

struct SearchRequest;

// Where a file search's line row lies in a document as its reader shows it.
// A rich-text editor or a browser has no line numbers of the searched text,
// but both can find a text: so the place is the text the row matched and
// which of that text's occurrences in the document it is, counted the way
// the reader's own find counts (with or without case, every occurrence).
struct SearchHitPlace {
    QString text;
    int occurrence = 0; // 0 for the first

    // The place of the first match on the 1-based line of the document's
    // text; nullopt when the file cannot be read or the line holds no match
    // any more (the file changed since the search).
    static std::optional<SearchHitPlace> Find(const QString& path, qint64 line,
                                              const SearchRequest& request);
};
