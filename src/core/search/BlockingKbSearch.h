#pragma once

#include "SearchRequest.h"
#include "store/CurrentKnowledgeBase.h"

#include <atomic>
#include <functional>

class KbSearchIndex;
class Prompter;

// A knowledge-base search run to its end on the calling thread, for the
// command line and the benchmarks: header, rows and count line, as the
// result list shows them, on a connection of its own to the base's file, or
// from the base's index when one is given and serves the search.
class BlockingKbSearch {
public:
    using RowOut = std::function<void(const QString& row)>;

    // The number of materials listed. A database that cannot be opened is
    // told to the prompter; the list then ends with a count of 0.
    static qint64 Run(const SearchRequest& request, const CurrentKnowledgeBase& base,
                      Prompter& prompter, const RowOut& rowOut,
                      const std::atomic<bool>* stop = nullptr, KbSearchIndex* index = nullptr);
};
