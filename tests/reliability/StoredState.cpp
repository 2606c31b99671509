#include "StoredState.h"

#include "db/Database.h"
#include "db/Recordset.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <algorithm>

namespace StoredState {

namespace {

QStringList rowsOf(Database& db, const QString& statement) {
    Recordset result(&db);
    if (!result.Open(statement))
        return {QStringLiteral("<failed: %1>").arg(db.GetErrorText())};
    QStringList rows;
    for (; !result.IsEOF(); result.MoveNext()) {
        QStringList fields;
        for (int i = 0; i < result.GetFieldCount(); ++i) {
            QString value;
            result.GetValueText(i, value);
            fields << value;
        }
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

QString IntegrityOf(const QString& databasePath) {
    Database db;
    if (!db.Open(databasePath))
        return QStringLiteral("<does not open: %1>").arg(db.GetErrorText());
    return rowsOf(db, QStringLiteral("PRAGMA integrity_check")).join(QLatin1Char('\n'));
}

QStringList RowsOf(const QString& databasePath) {
    Database db;
    if (!db.Open(databasePath))
        return {QStringLiteral("<does not open: %1>").arg(db.GetErrorText())};
    return rowsOf(db, QStringLiteral("select * from ItemTable order by ItemID")) +
           rowsOf(db, QStringLiteral("select * from MinuItemTable order by MinuItemID")) +
           rowsOf(db, QStringLiteral("select * from KeyWordTable order by MinuItemID, KeyValue"));
}

QStringList Listing(const QString& folder, const QStringList& ignored) {
    const QDir root(folder);
    QStringList rows;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString path = root.relativeFilePath(entry.filePath());
        if (std::any_of(ignored.cbegin(), ignored.cend(), [&](const QString& left) {
                return path == left || path.startsWith(left + QLatin1Char('/'));
            }))
            continue;
        if (entry.isDir()) {
            rows << path + QLatin1Char('/');
            continue;
        }
        QFile file(entry.filePath());
        QCryptographicHash sha1(QCryptographicHash::Sha1);
        if (file.open(QIODevice::ReadOnly))
            sha1.addData(&file);
        rows << path + QLatin1Char(' ') + QString::fromLatin1(sha1.result().toHex());
    }
    rows.sort();
    return rows;
}

} // namespace StoredState
