#include "SearchFileTypes.h"

#include "config/ResourceConfig.h"

namespace SearchFileTypes {

QStringList GroupPatterns(const ResourceConfigData& config, int groupId) {
    QStringList patterns;
    for (const SearchFileRecord& member : config.SearchFiles) {
        if (member.GroupID != groupId)
            continue;
        for (const TypePatternRecord& type : config.SearchAllFiles) {
            if (type.TypeID == member.TypeID) {
                patterns.append(type.Pattern);
                break;
            }
        }
    }
    return patterns;
}

QString GroupPatternList(const ResourceConfigData& config, int groupId) {
    return GroupPatterns(config, groupId).join(QLatin1Char(';'));
}

TypeBox FillFileTypeBox(const ResourceConfigData& config) {
    TypeBox box;
    for (const SearchGroupRecord& group : config.SearchGroups) {
        if (box.selected == -1 && group.GroupID == config.SearchFileTypeGroupID)
            box.selected = int(box.entries.size());
        box.entries.append(GroupPatternList(config, group.GroupID));
    }
    if (box.selected == -1 && !box.entries.isEmpty())
        box.selected = 0;
    return box;
}

QString DefaultPatternList(const ResourceConfigData& config) {
    const TypeBox box = FillFileTypeBox(config);
    return box.selected == -1 ? QString() : box.entries.at(box.selected);
}

} // namespace SearchFileTypes
