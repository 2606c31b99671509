#pragma once

#include <QList>
#include <QString>

class Database;

// The folders of the live materials in a category scope, in ascending
// material id: what a file search walks.
class MaterialFolderQuery {
public:
    struct Folder {
        QString MinuItemID;
        QString MinuItemName;
        QString MinuItemFilePath; // "01/02/03/17/", relative to the base's folder
    };

    // False when the statement fails or the scope is no category code; the
    // list is emptied first. The database must be open.
    static bool Load(Database& database, const QString& scopeCode, QList<Folder>& folders);
};
