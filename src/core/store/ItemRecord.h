#pragma once

#include <QString>

// One row of ItemTable as the tree, the recycle bin and the name cache see it.
struct ItemRecord {
    QString ID; // the row number, as text
    QString ItemID;
    QString ItemName;
    qint32 Preference = 0;

    bool operator==(const ItemRecord&) const = default;
};
