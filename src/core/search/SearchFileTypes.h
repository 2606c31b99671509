#pragma once

#include <QString>
#include <QStringList>

struct ResourceConfigData;

// The file-type groups of the main configuration as the file search offers
// them: a group's pattern list is the patterns of its member types in the
// order of the membership list, joined by ";".
namespace SearchFileTypes {

// Membership entries whose type has no pattern give nothing.
QStringList GroupPatterns(const ResourceConfigData& config, int groupId);
QString GroupPatternList(const ResourceConfigData& config, int groupId);

// The entries of the search dialog's file-type box, one per group in list
// order, and the one selected: the first group whose id is the default
// group's, else the first (-1 when there is no group).
struct TypeBox {
    QStringList entries;
    int selected = -1;
};
TypeBox FillFileTypeBox(const ResourceConfigData& config);

// The pattern list a file search uses when nobody chose one: the entry the
// box selects at opening; empty when there is no group.
QString DefaultPatternList(const ResourceConfigData& config);

} // namespace SearchFileTypes
