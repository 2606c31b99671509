#pragma once

#include "BasesHome.h"
#include "db/Recordset.h"

#include <QtTest>

// "code name" of every category of the database, in code order.
inline QStringList categoriesOf(const QString& databasePath) {
    Database db;
    db.Open(databasePath);
    Recordset result(&db);
    result.Open(QStringLiteral("select ItemID || ' ' || ItemName from ItemTable "
                               "where ItemID <> '000000' order by ItemID"));
    QStringList rows;
    for (QString row; result.GetValueText(0, row); result.MoveNext())
        rows << row;
    return rows;
}
