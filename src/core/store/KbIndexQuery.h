#pragma once

#include <QString>

// The statements that fill the knowledge-base search's index, read through a
// PreparedStatement on the index's own connection. They run inside one read
// transaction, so the data version, the materials and the keywords all come
// from the same state of the file.
class KbIndexQuery {
public:
    // Opens and ends the read transaction; reading never takes a write lock.
    static QString beginRead();
    static QString endRead();
    // One integer that changes whenever another connection, in this process
    // or another, commits to the file.
    static QString dataVersion();
    // Every live material in ascending id: MinuItemID, MinuItemName, ItemID
    // (empty for none, so no code can match it) and CreateTime.
    static QString materials();
    // MinuItemID and KeyValue of every keyword whose material id is an
    // integer: a keyword with any other id matches no material id.
    static QString keywords();
};
