#include "KnowledgeSchema.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

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
    auto failWith = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (QFileInfo::exists(path))
        return failWith(QStringLiteral("'%1' already exists.").arg(path));

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    auto exec = [&](const QString& sql) {
        return rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    };
    if (rc == SQLITE_OK)
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    if (rc == SQLITE_OK)
        exec(QStringLiteral("BEGIN"));
    for (const QString& statement : Statements())
        if (rc == SQLITE_OK)
            exec(statement);
    if (rc == SQLITE_OK) {
        sqlite3_stmt* insert = nullptr;
        rc = sqlite3_prepare_v2(db,
                                "insert into ItemTable(ItemID,ItemName,ItemFlag,Preference,"
                                "CreateTime) values('000000','本地知识库','AOS',0,?)",
                                -1, &insert, nullptr);
        if (rc == SQLITE_OK) {
            const QByteArray time = created.toUtf8();
            sqlite3_bind_text(insert, 1, time.constData(), int(time.size()), SQLITE_TRANSIENT);
            rc = sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db);
        }
        sqlite3_finalize(insert);
    }
    if (rc == SQLITE_OK)
        exec(QStringLiteral("COMMIT"));
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    const int closed = sqlite3_close(db);
    if (rc != SQLITE_OK || closed != SQLITE_OK) {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(path + QLatin1String(suffix));
        return failWith(QStringLiteral("Cannot make '%1': %2").arg(path, message));
    }
    return true;
}
