#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// What to clear from the recycle bin for good: an item with everything below
// it, or one material.
struct ClearTarget {
    QString ItemCode;   // set for an item
    QString MaterialId; // set for a material
    QString Name;       // for the messages

    bool IsMaterial() const { return !MaterialId.isEmpty(); }
};

// What a clear did, for the recycle bin to show: exactly the materials whose
// rows and folders are both gone, whether the item rows went too, and the
// message to show when it did not finish.
struct ClearResult {
    ClearTarget Target;
    QList<qint64> ClearedIds;
    bool ItemCleared = false;     // the item and every item below it are gone
    bool MaterialCleared = false; // the one material is gone
    int Total = 0;                // materials found to clear
    bool Stopped = false;
    QString Failure; // empty when the clear finished

    bool Finished() const { return Failure.isEmpty(); }
};

Q_DECLARE_METATYPE(ClearResult)
