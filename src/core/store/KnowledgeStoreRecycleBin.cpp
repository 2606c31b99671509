// The store's statements on deleted rows (the recycle bin) and on the
// materials under an item.
#include "KnowledgeStore.h"

#include "CategoryCode.h"
#include "StoreFields.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Transaction.h"

using CategoryCode::Level;
using StoreFields::textAt;
using StoreFields::toId;
using StoreFields::writableCode;

// The recycle bin

bool KnowledgeStore::LoadDeletedItems(QList<RecycleRow>& rows) {
    rows.clear();
    if (!ensureOpen())
        return false;
    Recordset result;
    if (!open(result,
              QStringLiteral("select ItemID,ItemName,CreateTime,DeleteDataTime from ItemTable "
                             "where ItemFlag ='EOS'"),
              {}))
        return false;
    for (; !result.IsEOF(); result.MoveNext()) {
        RecycleRow row;
        row.Code = textAt(result, 0);
        if (row.Code.startsWith(QLatin1String("00")))
            continue;
        row.Name = textAt(result, 1);
        row.CreateTime = textAt(result, 2);
        row.DeleteTime = textAt(result, 3);
        rows.append(row);
    }
    return true;
}

bool KnowledgeStore::LoadDeletedMaterials(QList<RecycleRow>& rows) {
    rows.clear();
    if (!ensureOpen())
        return false;
    // Ids are read as 32-bit numbers: a larger one would stand for another
    // material, and clearing the row would delete that one. Such rows, and
    // rows without a numeric id (which would pass for items), are left out.
    Recordset result;
    if (!open(result,
              QStringLiteral("select MinuItemID,MinuItemName,ItemID,\t\tCreateTime,DeleteDataTime "
                             "from MinuItemTable where \t\tMinuItemFlag ='EOS' and MinuItemID "
                             "between -2147483648 and 2147483647 order by MinuItemID"),
              {}))
        return false;
    qint64 id = 0;
    for (; !result.IsEOF(); result.MoveNext()) {
        RecycleRow row;
        row.MaterialId = textAt(result, 0);
        if (!toId(row.MaterialId, id))
            continue;
        row.Name = textAt(result, 1);
        row.Code = textAt(result, 2);
        row.CreateTime = textAt(result, 3);
        row.DeleteTime = textAt(result, 4);
        rows.append(row);
    }
    return true;
}

QString KnowledgeStore::materialsUnder(const QString& code, QString& value) {
    if (CategoryCode::IsRoot(code) || CategoryCode::IsMajor(code)) {
        value = code.left(CategoryCode::IsRoot(code) ? 2 : 4) + QLatin1Char('%');
        return QStringLiteral("ItemID like ?");
    }
    value = code;
    return QStringLiteral("ItemID =?");
}

bool KnowledgeStore::LoadMaterialsUnder(const QString& code, QList<MaterialRecord>& materials) {
    materials.clear();
    if (!ensureOpen() || !writableCode(code))
        return false;
    QString value;
    const QString condition = materialsUnder(code, value);
    Recordset result;
    if (!open(result,
              QStringLiteral("select MinuItemID,MinuItemName,ItemID,\t\tMinuItemFilePath from "
                             "MinuItemTable where ") +
                  condition,
              {value}))
        return false;
    for (; !result.IsEOF(); result.MoveNext()) {
        MaterialRecord m;
        m.MinuItemID = textAt(result, 0);
        m.MinuItemName = textAt(result, 1);
        m.ItemID = textAt(result, 2);
        m.MinuItemFilePath = textAt(result, 3);
        materials.append(m);
    }
    return true;
}

bool KnowledgeStore::RestoreMaterialsOfItem(const QString& code) {
    return ExecuteStatement(
        QStringLiteral("update MinuItemTable set MinuItemFlag ='AOS' where ItemID =?"), {code});
}

bool KnowledgeStore::SetMaterialFlag(const QString& id, const QString& flag, const QString& time) {
    qint64 row = 0;
    return toId(id, row) &&
           ExecuteStatement(QStringLiteral("update MinuItemTable set MinuItemFlag =?, "
                                           "DeleteDataTime =? where MinuItemID =?"),
                            {flag, time, row});
}

bool KnowledgeStore::RestoreMaterialRow(const QString& id) {
    qint64 row = 0;
    return toId(id, row) &&
           ExecuteStatement(
               QStringLiteral("update MinuItemTable set MinuItemFlag ='AOS' where MinuItemID =?"),
               {row});
}

bool KnowledgeStore::DeleteMaterialRow(const QString& id) {
    qint64 row = 0;
    if (!toId(id, row) || !ensureOpen())
        return false;
    Transaction transaction(m_database);
    return transaction.IsActive() &&
           ExecuteStatement(QStringLiteral("delete from KeyWordTable where MinuItemID =?"),
                            {row}) &&
           ExecuteStatement(QStringLiteral("delete from MinuItemTable where MinuItemID = ?"),
                            {row}) &&
           transaction.Commit();
}

bool KnowledgeStore::RecodeMaterialsOfItem(const QString& newCode, const QString& oldCode) {
    return writableCode(newCode) &&
           ExecuteStatement(QStringLiteral("update MinuItemTable set ItemID =? where ItemID =?"),
                            {newCode, oldCode});
}

bool KnowledgeStore::MoveMaterial(const QString& code, const QString& id) {
    qint64 row = 0;
    return writableCode(code) && toId(id, row) &&
           ExecuteStatement(
               QStringLiteral("update MinuItemTable set ItemID =? where MinuItemID =?"),
               {code, row});
}

bool KnowledgeStore::SetMaterialsFlagOfItem(const QString& code, bool restore) {
    if (!writableCode(code))
        return false;
    const QString flag = restore ? QStringLiteral("AOS") : QStringLiteral("EOS");
    const QString head = QStringLiteral("update MinuItemTable set MinuItemFlag =? where ItemID ");
    switch (CategoryCode::LevelOf(code)) {
    case Level::Root:
        return ExecuteStatement(head + QLatin1String("like ?"),
                                {flag, code.left(2) + QLatin1String("%%%%")});
    case Level::Major:
        return ExecuteStatement(head + QLatin1String("like ?"),
                                {flag, code.left(4) + QLatin1String("%%")});
    default:
        return ExecuteStatement(head + QLatin1String(" =?"), {flag, code});
    }
}

bool KnowledgeStore::RenameMaterial(const QString& id, const QString& name) {
    qint64 row = 0;
    return toId(id, row) &&
           ExecuteStatement(
               QStringLiteral("update MinuItemTable set MinuItemName =? where MinuItemID =?"),
               {name, row});
}

bool KnowledgeStore::SetMaterialDescription(const QString& id, int type, const QString& fileName) {
    qint64 row = 0;
    return toId(id, row) &&
           ExecuteStatement(QStringLiteral("update MinuItemTable set DescribeFileType =?,"
                                           "MinuItemDescribeFilename =? where MinuItemID =?"),
                            {type, fileName, row});
}
