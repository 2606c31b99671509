#include "ResourceConfigEdits.h"

#include "ResourceConfig.h"

#include <QHash>
#include <algorithm>

namespace {

// The lists of an ID and a text (description types, search types, search
// groups), and the bases: Id and Text name the two fields.
template <typename Record, typename Id, typename Text, typename SetId>
QHash<int, int> mergeKeyed(const QList<Record>& before, const QList<Record>& after,
                           QList<Record>& current, Id id, Text text, SetId setId,
                           int highestTaken) {
    const auto findId = [&](const QList<Record>& list, int key) -> const Record* {
        for (const Record& r : list) {
            if (id(r) == key)
                return &r;
        }
        return nullptr;
    };
    // Gone from this copy: gone from the file.
    for (const Record& old : before) {
        if (!findId(after, id(old)))
            current.removeIf([&](const Record& r) { return id(r) == id(old); });
    }
    QHash<int, int> renumbered;
    int highest = highestTaken;
    for (const Record& r : current)
        highest = std::max(highest, id(r));
    for (const Record& r : after) {
        const Record* old = findId(before, id(r));
        if (old) {
            // Changed here: the file's record of that ID takes the change.
            if (!(*old == r)) {
                for (Record& c : current) {
                    if (id(c) == id(r))
                        c = r;
                }
            }
            continue;
        }
        // New here. Already in the file under the same text (another process
        // did the same): that record serves.
        const auto same = std::find_if(current.cbegin(), current.cend(),
                                       [&](const Record& c) { return text(c) == text(r); });
        if (same != current.cend()) {
            renumbered.insert(id(r), id(*same));
            continue;
        }
        Record added = r;
        if (findId(current, id(r))) {
            setId(added, ++highest);
            renumbered.insert(id(r), id(added));
        }
        highest = std::max(highest, id(added));
        current.append(added);
    }
    return renumbered;
}

int mapped(const QHash<int, int>& map, int id) {
    return map.value(id, id);
}

// The lists of two IDs (which base offers which type, which group holds which
// search type): pairs as values, renumbered as their records were.
template <typename Record, typename Map>
void mergePairs(const QList<Record>& before, const QList<Record>& after, QList<Record>& current,
                Map map) {
    for (const Record& old : before) {
        if (!after.contains(old))
            current.removeAll(old);
    }
    for (const Record& r : after) {
        if (before.contains(r))
            continue;
        const Record added = map(r);
        if (!current.contains(added))
            current.append(added);
    }
}

template <typename Value> void mergeSetting(Value before, Value after, Value& current) {
    if (after != before)
        current = after;
}

} // namespace

void ApplyConfigEdits(const ResourceConfigData& before, const ResourceConfigData& after,
                      ResourceConfigData& current) {
    if (current == before) {
        const int highest = std::max(current.HighestResourceID, after.HighestResourceID);
        current = after;
        current.HighestResourceID = highest;
        return;
    }
    const QHash<int, int> bases = mergeKeyed(
        before.LocalResources, after.LocalResources, current.LocalResources,
        [](const LocalResourceRecord& r) { return r.ID; },
        [](const LocalResourceRecord& r) { return r.IniPath; },
        [](LocalResourceRecord& r, int id) { r.ID = id; },
        std::max(current.HighestResourceID, after.HighestResourceID));
    current.HighestResourceID = std::max(current.HighestResourceID, after.HighestResourceID);
    for (const LocalResourceRecord& r : current.LocalResources)
        current.HighestResourceID = std::max(current.HighestResourceID, r.ID);

    const auto typeId = [](const TypePatternRecord& r) { return r.TypeID; };
    const auto pattern = [](const TypePatternRecord& r) { return r.Pattern; };
    const auto setTypeId = [](TypePatternRecord& r, int id) { r.TypeID = id; };
    const QHash<int, int> types =
        mergeKeyed(before.DescriptAllFiles, after.DescriptAllFiles, current.DescriptAllFiles,
                   typeId, pattern, setTypeId, 0);
    mergePairs(before.DescriptFiles, after.DescriptFiles, current.DescriptFiles,
               [&](DescriptFileRecord r) {
                   return DescriptFileRecord{mapped(types, r.TypeID), mapped(bases, r.BaseID)};
               });

    const QHash<int, int> groups = mergeKeyed(
        before.SearchGroups, after.SearchGroups, current.SearchGroups,
        [](const SearchGroupRecord& r) { return r.GroupID; },
        [](const SearchGroupRecord& r) { return r.Name; },
        [](SearchGroupRecord& r, int id) { r.GroupID = id; }, 0);
    const QHash<int, int> searchTypes =
        mergeKeyed(before.SearchAllFiles, after.SearchAllFiles, current.SearchAllFiles, typeId,
                   pattern, setTypeId, 0);
    mergePairs(before.SearchFiles, after.SearchFiles, current.SearchFiles, [&](SearchFileRecord r) {
        return SearchFileRecord{mapped(searchTypes, r.TypeID), mapped(groups, r.GroupID)};
    });

    mergeSetting(before.IsStartLoggResource, after.IsStartLoggResource,
                 current.IsStartLoggResource);
    mergeSetting(before.StartResourceID, mapped(bases, after.StartResourceID),
                 current.StartResourceID);
    mergeSetting(before.SearchFileTypeGroupID, mapped(groups, after.SearchFileTypeGroupID),
                 current.SearchFileTypeGroupID);
}
