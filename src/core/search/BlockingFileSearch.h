#pragma once

#include "ContentIndexFilter.h"
#include "FileSearchRow.h"
#include "SearchRequest.h"
#include "store/CurrentKnowledgeBase.h"

#include <atomic>
#include <functional>

class Prompter;

// A file search run to its end on the calling thread, for the command line
// and the benchmarks: the same engine and the same rows as the search
// window, header first. Questions and failures go to the prompter directly.
class BlockingFileSearch {
public:
    using RowOut = std::function<void(const FileSearchRow& row)>;

    static FileSearchTotals Run(const SearchRequest& request, const CurrentKnowledgeBase& base,
                                Prompter& prompter, const RowOut& rowOut,
                                const std::atomic<bool>* stop = nullptr,
                                const ContentIndexUse& index = {});

    // The header row, with the scope's item names read from the base (an
    // empty name for an item it does not hold).
    static QString Header(const SearchRequest& request, const CurrentKnowledgeBase& base);
};
