#include "MaterialFolderQuery.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "store/CategoryCode.h"

bool MaterialFolderQuery::Load(Database& database, const QString& scopeCode,
                               QList<Folder>& folders) {
    using CategoryCode::Level;
    folders.clear();
    const QString head =
        QStringLiteral("select MinuItemID,MinuItemName,MinuItemFilePath from MinuItemTable ");
    const QString tail = QStringLiteral("and MinuItemFlag ='AOS' order by MinuItemID");
    QString statement;
    QVariantList params;
    const Level level = CategoryCode::LevelOf(scopeCode);
    if (level == Level::WholeBase) {
        statement = head + QStringLiteral("where MinuItemFlag ='AOS' order by MinuItemID");
    } else {
        // A code that is not well formed could widen the pattern below.
        if (!CategoryCode::IsWellFormed(scopeCode))
            return false;
        if (level == Level::Root) {
            statement = head + QStringLiteral("where ItemID like ? ") + tail;
            params = {scopeCode.left(2) + QLatin1Char('%')};
        } else if (level == Level::Major) {
            statement = head + QStringLiteral("where ItemID like ? ") + tail;
            params = {scopeCode.left(4) + QLatin1Char('%')};
        } else {
            statement = head + QStringLiteral("where ItemID = ? ") + tail;
            params = {scopeCode};
        }
    }
    Recordset result(&database);
    if (result.Open(statement, params) != 1)
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
