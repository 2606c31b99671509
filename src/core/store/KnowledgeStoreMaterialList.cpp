// The store's reads of the material list (ids under a filter, rows of a
// page) and the keywords of a material.
#include "KnowledgeStore.h"

#include "CategoryCode.h"
#include "StoreFields.h"
#include "db/Database.h"
#include "db/Recordset.h"

#include <QHash>

using CategoryCode::Level;
using StoreFields::textAt;
using StoreFields::toId;

// The material list

bool KnowledgeStore::LoadMaterialIds(const QString& code, int typeFilter,
                                     const QString& createdFrom, const QString& createdTo,
                                     QList<qint64>& ids) {
    ids.clear();
    if (!CategoryCode::IsWellFormed(code))
        return true; // not a code: nothing to list
    if (!ensureOpen())
        return false;
    QString statement =
        QStringLiteral("select MinuItemId from MinuItemTable where MinuItemFlag ='AOS'");
    QVariantList params;
    if (typeFilter == 1)
        statement += QLatin1String(" and DescribeFileType =1 ");
    else if (typeFilter == 2)
        statement += QLatin1String(" and DescribeFileType <>1 ");
    if (!createdFrom.isEmpty()) {
        statement += QLatin1String(" and CreateTime>=? ");
        params.append(createdFrom);
    }
    if (!createdTo.isEmpty()) {
        statement += QLatin1String(" and CreateTime<=? ");
        params.append(createdTo);
    }
    switch (CategoryCode::LevelOf(code)) {
    case Level::Root:
        statement += QLatin1String(" and ItemId like ? ");
        params.append(code.left(2) + QLatin1String("%%%%"));
        break;
    case Level::Major:
        statement += QLatin1String(" and ItemId like ? ");
        params.append(code.left(4) + QLatin1String("%%"));
        break;
    case Level::Minor:
        statement += QLatin1String(" and ItemId = ? ");
        params.append(code);
        break;
    default: // the whole base
        break;
    }
    Recordset result;
    if (!open(result, statement, params))
        return false;
    ids.reserve(result.GetRecordCount());
    QString text;
    for (; !result.IsEOF(); result.MoveNext()) {
        qint64 id = 0;
        if (result.GetValueText(0, text) && toId(text, id))
            ids.append(id);
    }
    return true;
}

bool KnowledgeStore::LoadMaterials(const QList<qint64>& ids, QList<MaterialRecord>& materials) {
    materials.clear();
    if (ids.isEmpty())
        return true;
    if (!ensureOpen())
        return false;
    QString statement = QStringLiteral(
        "select MinuItemID,MinuItemName,ItemID,DescribeFileType,MinuItemDescribeFilename,"
        "MinuItemFilePath,CreateTime from MinuItemTable where MinuItemID in(");
    QVariantList params;
    params.reserve(ids.size());
    for (qint64 id : ids) {
        statement += params.isEmpty() ? QLatin1String("?") : QLatin1String(",?");
        params.append(id);
    }
    Recordset result;
    if (!open(result, statement + QLatin1Char(')'), params))
        return false;
    QHash<QString, MaterialRecord> byId;
    byId.reserve(result.GetRecordCount());
    for (; !result.IsEOF(); result.MoveNext()) {
        MaterialRecord m;
        m.MinuItemID = textAt(result, 0);
        m.MinuItemName = textAt(result, 1);
        m.ItemID = textAt(result, 2);
        m.DescribeFileType = textAt(result, 3);
        m.MinuItemDescribeFilename = textAt(result, 4);
        m.MinuItemFilePath = textAt(result, 5);
        m.CreateTime = textAt(result, 6);
        byId.insert(m.MinuItemID, m);
    }
    // The rows come back in whatever order the database likes; the list
    // keeps the order of the ids.
    materials.reserve(byId.size());
    for (qint64 id : ids) {
        const auto it = byId.constFind(QString::number(id));
        if (it != byId.cend())
            materials.append(*it);
    }
    return true;
}

// Keywords

bool KnowledgeStore::LoadKeywords(const QString& id, QStringList& keywords) {
    qint64 row = 0;
    if (!toId(id, row) || !ensureOpen())
        return false;
    Recordset result;
    if (!open(result, QStringLiteral("select KeyValue from KeyWordTable where MinuItemID =?"),
              {row}))
        return false;
    keywords.clear();
    for (; !result.IsEOF(); result.MoveNext())
        keywords.append(textAt(result, 0));
    return true;
}

bool KnowledgeStore::InsertKeyword(const QString& id, const QString& keyword) {
    qint64 row = 0;
    return toId(id, row) &&
           ExecuteStatement(
               QStringLiteral("insert into KeyWordTable(MinuItemID,KeyValue) values(?,?)"),
               {row, keyword});
}

bool KnowledgeStore::DeleteKeywords(const QString& id, const QStringList& keywords) {
    qint64 row = 0;
    if (!toId(id, row))
        return false;
    if (keywords.isEmpty())
        return true;
    QString statement =
        QStringLiteral("delete from KeyWordTable where MinuItemID =? and KeyValue in(");
    QVariantList params{row};
    for (const QString& keyword : keywords) {
        statement += params.size() == 1 ? QLatin1String("?") : QLatin1String(",?");
        params.append(keyword);
    }
    return ExecuteStatement(statement + QLatin1Char(')'), params);
}
