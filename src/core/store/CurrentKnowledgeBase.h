#pragma once

#include <QString>

// The knowledge base that is open, if any.
struct CurrentKnowledgeBase {
    int ID = -1; // -1 while no base is open
    QString Name;
    QString DatabasePath; // full path of its "Keepsake.mdb"
    QString FilesRoot;    // its folder, with a trailing "/"
    // A second copy of the database path, used to come back to this base
    // after the connection was pointed at another database for a while.
    QString ReconnectPath;

    bool IsOpen() const { return ID != -1; }
};
