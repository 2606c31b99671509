#pragma once

// Set by the changes that leave the lists of the "其它设置" page out of date,
// cleared when that page rebuilds the list on its next drop-down.
struct ConfigChangeFlags {
    bool BasesChanged = false;        // a base created, added, modified or deleted
    bool SearchGroupsChanged = false; // the search file groups changed
};
