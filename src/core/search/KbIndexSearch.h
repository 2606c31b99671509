#pragma once

#include "SearchRequest.h"

#include <QString>
#include <atomic>
#include <functional>

class KbIndexData;

// One knowledge-base search answered from a loaded index instead of the
// database, listing what KbSearchEngine lists in the same order: first,
// from the highest material id down, the materials the name and time rules
// list at once; then, in ascending id, those of the others the keyword rule
// finds. Names and keywords are scanned as whole blocks with one substring
// search each, which is where the time goes on a large base.
//
// The stop flag is read before each scan and every few thousand materials.
class KbIndexSearch {
public:
    using RowOut = std::function<void(const QString& row)>;

    // The number of rows listed. A scope that is no category code lists
    // nothing, as in the engine.
    static qint64 run(const KbIndexData& index, const SearchRequest& request,
                      const std::atomic<bool>& stop, const RowOut& rowOut);
};
