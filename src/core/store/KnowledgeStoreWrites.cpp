// The store's writes that allocate a code, and the bulk deletes of a clear.
// They live apart from KnowledgeStore.cpp only to keep each file short.
#include "KnowledgeStore.h"

#include "CategoryCode.h"
#include "TimeText.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Transaction.h"

namespace {

// SQLite's limit on bound parameters is far above this; a few hundred ids
// to a statement keep the statement text short and the calls few.
constexpr int kIdsPerStatement = 500;

} // namespace

bool KnowledgeStore::InsertChildItem(const QString& parentCode, const QString& name,
                                     QString& code) {
    if (!CategoryCode::IsWellFormed(parentCode) || CategoryCode::IsMinor(parentCode) ||
        !ensureOpen())
        return false;
    // The free code is read under the write lock: another writer can neither
    // take it between the read and the insert nor read it before we commit.
    Transaction transaction(m_database);
    QString segment;
    if (!transaction.IsActive() || !NextChildSegment(parentCode, segment))
        return false;
    const QString child = CategoryCode::ChildCode(parentCode, segment);
    if (!InsertItem(name, child))
        return false;
    if (!transaction.Commit()) {
        m_names.Forget(child);
        return false;
    }
    code = child;
    return true;
}

bool KnowledgeStore::InsertItemRow(const QString& code, const QString& name, int preference,
                                   const QString& createTime) {
    if (!CategoryCode::IsWellFormed(code) || CategoryCode::IsWholeBase(code))
        return false;
    if (!ExecuteStatement(QStringLiteral("insert into ItemTable(ItemID,ItemName,ItemFlag,"
                                         "Preference,CreateTime) values(?,?,'AOS',?,?)"),
                          {code, name, preference, createTime}))
        return false;
    m_names.Remember(code, name);
    return true;
}

bool KnowledgeStore::DeleteMaterialRows(const QList<qint64>& ids) {
    if (!ensureOpen())
        return false;
    for (qsizetype from = 0; from < ids.size(); from += kIdsPerStatement) {
        const qsizetype count = std::min<qsizetype>(kIdsPerStatement, ids.size() - from);
        QString marks;
        QVariantList params;
        params.reserve(count);
        for (qsizetype i = 0; i < count; ++i) {
            marks += i == 0 ? QLatin1String("?") : QLatin1String(",?");
            params.append(ids[from + i]);
        }
        if (!ExecuteStatement(
                QStringLiteral("delete from KeyWordTable where MinuItemID in(%1)").arg(marks),
                params) ||
            !ExecuteStatement(
                QStringLiteral("delete from MinuItemTable where MinuItemID in(%1)").arg(marks),
                params))
            return false;
    }
    return true;
}

bool KnowledgeStore::LoadMaterialFoldersUnder(const QString& code,
                                              QList<MaterialRecord>& materials) {
    materials.clear();
    if (!ensureOpen() || !CategoryCode::IsWellFormed(code) || CategoryCode::IsWholeBase(code))
        return false;
    QString value;
    const QString condition = materialsUnder(code, value);
    Recordset result;
    if (!open(result,
              QStringLiteral("select MinuItemID,MinuItemFilePath from MinuItemTable where ") +
                  condition,
              {value}))
        return false;
    materials.reserve(result.GetRecordCount());
    for (; !result.IsEOF(); result.MoveNext()) {
        MaterialRecord m;
        result.GetValueText(0, m.MinuItemID);
        result.GetValueText(1, m.MinuItemFilePath);
        materials.append(std::move(m));
    }
    return true;
}
