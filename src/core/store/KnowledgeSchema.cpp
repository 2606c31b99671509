#include "KnowledgeSchema.h"

#include "KnowledgeStore.h"
#include "SilentPrompter.h"
#include "db/Database.h"
#include "db/Transaction.h"

QStringList KnowledgeSchema::Statements() {
    return {
        QStringLiteral("CREATE TABLE ItemTable ("
                       "ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                       "ItemID TEXT, ItemName TEXT, ItemFlag TEXT, Preference INTEGER, "
                       "CreateTime TEXT, DeleteDataTime TEXT)"),
        // Not unique: a tree imported or pasted twice may hold a code twice,
        // and the tree fill repairs that by row number.
        QStringLiteral("CREATE INDEX ItemTable_ItemID ON ItemTable(ItemID)"),
        QStringLiteral("CREATE TABLE MinuItemTable ("
                       "MinuItemID INTEGER, MinuItemName TEXT, ItemID TEXT, "
                       "DescribeFileType INTEGER, MinuItemDescribeFilename TEXT, "
                       "MinuItemFilePath TEXT, CreateTime TEXT, MinuItemFlag TEXT, "
                       "DeleteDataTime TEXT)"),
        // Unique: two rows with one id would share one material folder.
        QStringLiteral("CREATE UNIQUE INDEX MinuItemTable_MinuItemID "
                       "ON MinuItemTable(MinuItemID)"),
        QStringLiteral("CREATE INDEX MinuItemTable_ItemID ON MinuItemTable(ItemID)"),
        QStringLiteral("CREATE TABLE KeyWordTable (MinuItemID INTEGER, KeyValue TEXT)"),
        QStringLiteral("CREATE INDEX KeyWordTable_MinuItemID ON KeyWordTable(MinuItemID)"),
    };
}

bool KnowledgeSchema::CreateDatabaseFile(const QString& path, const QString& created,
                                         QString* error) {
    if (!Database::CreateEmptyFile(path, error))
        return false;
    QString message;
    bool ok = false;
    {
        Database database;
        SilentPrompter silent;
        KnowledgeStore store(database, silent);
        ok = database.Open(path);
        {
            Transaction transaction(database);
            ok = ok && transaction.IsActive();
            for (const QString& statement : Statements())
                ok = ok && store.ExecuteStatement(statement);
            ok = ok && store.ExecuteStatement(
                           QStringLiteral("insert into ItemTable(ItemID,ItemName,ItemFlag,"
                                          "Preference,CreateTime) values('000000','本地知识库',"
                                          "'AOS',0,?)"),
                           {created});
            ok = ok && transaction.Commit();
        }
        if (!ok)
            message = database.GetErrorText().trimmed();
        ok = database.Close() && ok;
    }
    if (!ok) {
        Database::RemoveFile(path);
        if (error)
            *error = QStringLiteral("Cannot make '%1': %2").arg(path, message);
    }
    return ok;
}
