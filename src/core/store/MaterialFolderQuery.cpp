#include "MaterialFolderQuery.h"

#include "LiveMaterialsStatement.h"
#include "db/Database.h"
#include "db/Recordset.h"

bool MaterialFolderQuery::Load(Database& database, const QString& scopeCode,
                               QList<Folder>& folders) {
    folders.clear();
    QString statement;
    QVariantList params;
    if (!LiveMaterialsStatement(scopeCode,
                                QStringLiteral("MinuItemID,MinuItemName,MinuItemFilePath"),
                                statement, params))
        return false;
    Recordset result(&database);
    if (!result.Open(statement, params))
        return false;
    for (; !result.IsEOF(); result.MoveNext()) {
        Folder folder;
        result.GetValueText(0, folder.MinuItemID);
        result.GetValueText(1, folder.MinuItemName);
        result.GetValueText(2, folder.MinuItemFilePath);
        folders.append(folder);
    }
    return true;
}
