#include "KnowledgeStore.h"

#include "CategoryCode.h"
#include "Prompter.h"
#include "TimeText.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Transaction.h"

#include <QHash>

using CategoryCode::Level;

namespace {

const QString kNotOpen = QStringLiteral("数据库没有打开或已经关闭!");
const QString kNull = QStringLiteral("NULL");

// Material ids and row numbers are written unquoted; only a decimal integer
// may stand there.
bool toId(const QString& text, qint64& id) {
    bool ok = false;
    id = text.toLongLong(&ok);
    return ok;
}

int toInt(const QString& text) {
    return text.toInt();
} // "NULL" and junk read as 0

QString textAt(const Recordset& result, int index) {
    QString text;
    result.GetValueText(index, text);
    return text;
}

ItemRecord itemAt(const Recordset& result) {
    return {textAt(result, 0), textAt(result, 1), textAt(result, 2), toInt(textAt(result, 3))};
}

// A code that is written, or that becomes a "like" pattern, must be a code.
bool writableCode(const QString& code) {
    return CategoryCode::IsWellFormed(code) && !CategoryCode::IsWholeBase(code);
}

} // namespace

KnowledgeStore::KnowledgeStore(Database& database, Prompter& prompter)
    : m_database(database), m_prompter(prompter) {}

bool KnowledgeStore::ensureOpen() {
    if (m_database.IsOpen())
        return true;
    m_prompter.error(kNotOpen);
    return false;
}

int KnowledgeStore::open(Recordset& result, const QString& statement, const QVariantList& params) {
    result.SetDatabase(&m_database);
    return result.Open(statement, params, 1, 3, 3);
}

bool KnowledgeStore::readFirst(const QString& statement, const QVariantList& params,
                               QString& value) {
    if (!ensureOpen())
        return false;
    Recordset result;
    if (open(result, statement, params) != 1 || result.IsEOF())
        return false;
    return result.GetValueText(0, value);
}

bool KnowledgeStore::ExecuteStatement(const QString& statement, const QVariantList& params) {
    if (!ensureOpen())
        return false;
    Recordset result;
    return open(result, statement, params) != -1;
}

// Reading items

bool KnowledgeStore::LoadItem(const QString& code, ItemRecord& record) {
    if (!ensureOpen())
        return false;
    Recordset result;
    if (open(result,
             QStringLiteral("select ItemID,ItemName,Preference from ItemTable where ItemID = ? "
                            "order by Preference"),
             {code}) != 1 ||
        result.IsEOF())
        return false;
    record.ItemID = textAt(result, 0);
    record.ItemName = textAt(result, 1);
    record.Preference = toInt(textAt(result, 2));
    return true;
}

bool KnowledgeStore::loadChildren(const QString& parentCode, QList<ItemRecord>& list,
                                  bool liveOnly) {
    list.clear();
    if (!ensureOpen() || !CategoryCode::IsWellFormed(parentCode))
        return false;
    QString statement = liveOnly ? QStringLiteral("select ID,ItemID,ItemName,Preference from "
                                                  "ItemTable where ItemFlag ='AOS' and ItemID ")
                                 : QStringLiteral("select ID,ItemID,ItemName,Preference from "
                                                  "ItemTable where ItemID ");
    QString value;
    switch (CategoryCode::LevelOf(parentCode)) {
    case Level::WholeBase:
        value = QStringLiteral("%%0000");
        break;
    case Level::Root:
        value = parentCode.left(2) + QLatin1String("%%00");
        break;
    case Level::Major:
        value = parentCode.left(4) + QLatin1String("%%");
        break;
    default:
        break;
    }
    statement += value.isEmpty() ? QLatin1String("= ?") : QLatin1String("like ?");
    statement += QLatin1String(" order by Preference,ItemID");
    if (value.isEmpty())
        value = parentCode;

    Recordset result;
    if (open(result, statement, {value}) != 1)
        return false;
    // The root and major patterns match the parent's own row too.
    for (; !result.IsEOF(); result.MoveNext()) {
        ItemRecord item = itemAt(result);
        if (item.ItemID.size() == 6 && item.ItemID != parentCode)
            list.append(std::move(item));
    }
    return true;
}

bool KnowledgeStore::LoadChildItems(const QString& parentCode, QList<ItemRecord>& list) {
    return loadChildren(parentCode, list, true);
}

bool KnowledgeStore::LoadChildItemsAnyFlag(const QString& parentCode, QList<ItemRecord>& list) {
    return loadChildren(parentCode, list, false);
}

bool KnowledgeStore::LoadSubItems(const QString& code, QList<ItemRecord>& list) {
    list.clear();
    if (!ensureOpen() || !writableCode(code))
        return false;
    Recordset result;
    if (open(result,
             QStringLiteral(
                 "select ItemID,ItemName from ItemTable where ItemID like ? order by Preference"),
             {code.left(4) + QLatin1String("%%")}) != 1)
        return false;
    for (; !result.IsEOF(); result.MoveNext()) {
        ItemRecord item;
        item.ItemID = textAt(result, 0);
        item.ItemName = textAt(result, 1);
        if (item.ItemID != code)
            list.append(std::move(item));
    }
    return true;
}

bool KnowledgeStore::LoadAllItems(QList<ItemRecord>& list) {
    list.clear();
    if (!ensureOpen())
        return false;
    Recordset result;
    if (open(result,
             QStringLiteral("select ID,ItemID,ItemName,Preference from ItemTable order by ItemID"),
             {}) != 1)
        return false;
    list.reserve(result.GetRecordCount());
    for (; !result.IsEOF(); result.MoveNext())
        list.append(itemAt(result));
    m_names.Reset(list);
    return true;
}

bool KnowledgeStore::GetItemPreference(const QString& code, int& value) {
    QString text;
    if (!readFirst(QStringLiteral("select Preference from ItemTable where ItemID =?"), {code},
                   text))
        return false;
    value = toInt(text);
    return true;
}

bool KnowledgeStore::GetItemCreateTime(const QString& code, QString& time) {
    return readFirst(QStringLiteral("select CreateTime from ItemTable where ItemID =?"), {code},
                     time);
}

// Writing items

bool KnowledgeStore::NextPreference(int& value) {
    QString text;
    if (!readFirst(QStringLiteral("select MAX(Preference) from ItemTable"), {}, text))
        return false;
    value = (text == kNull ? 0 : toInt(text)) + 1;
    return true;
}

bool KnowledgeStore::InsertItem(const QString& name, const QString& code) {
    if (!writableCode(code))
        return false;
    if (!ensureOpen())
        return false;
    int preference = 0;
    if (!NextPreference(preference))
        preference = 0;
    if (!ExecuteStatement(QStringLiteral("insert into ItemTable(ItemID,ItemName,ItemFlag,"
                                         "Preference,CreateTime) values(\t?,?,'AOS',?,?)"),
                          {code, name, preference, TimeText::now()}))
        return false;
    m_names.Remember(code, name);
    return true;
}

bool KnowledgeStore::RenameItem(const QString& code, const QString& name) {
    if (!ExecuteStatement(QStringLiteral("update ItemTable set ItemName =? where ItemID =?"),
                          {name, code}))
        return false;
    m_names.Rename(code, name);
    return true;
}

bool KnowledgeStore::SetItemPreference(const QString& code, int value) {
    return ExecuteStatement(QStringLiteral("update ItemTable set Preference=? where ItemID =?"),
                            {value, code});
}

bool KnowledgeStore::RecodeItem(const QString& oldCode, const QString& newCode) {
    if (!writableCode(newCode))
        return false;
    int preference = 0;
    if (!NextPreference(preference))
        return false;
    if (!ExecuteStatement(
            QStringLiteral("update ItemTable set ItemID =?,Preference =? where ItemID =?"),
            {newCode, preference, oldCode}))
        return false;
    m_names.Recode(oldCode, newCode);
    return true;
}

bool KnowledgeStore::DeleteItemRow(const QString& code) {
    if (!ExecuteStatement(QStringLiteral("delete from ItemTable where ItemID =?"), {code}))
        return false;
    m_names.Forget(code);
    return true;
}

bool KnowledgeStore::DeleteItemById(const QString& id) {
    qint64 row = 0;
    if (!toId(id, row))
        return false;
    if (!ExecuteStatement(QStringLiteral("delete from ItemTable where ID =?"), {row}))
        return false;
    m_names.ForgetById(QString::number(row));
    return true;
}

bool KnowledgeStore::RestoreItemRow(const QString& code) {
    return ExecuteStatement(QStringLiteral("update ItemTable set ItemFlag ='AOS' where ItemID =?"),
                            {code});
}

bool KnowledgeStore::SetItemFlag(const QString& code, const QString& flag) {
    if (code.size() != 6 || flag.size() != 3 || !writableCode(code))
        return false;
    const QString time = TimeText::now();
    const QString head =
        QStringLiteral("update ItemTable set ItemFlag =? ,DeleteDataTime =? where ItemID ");
    switch (CategoryCode::LevelOf(code)) {
    case Level::Root:
        return ExecuteStatement(head + QLatin1String("like ?"),
                                {flag, time, code.left(2) + QLatin1String("%%%%")});
    case Level::Major:
        return ExecuteStatement(head + QLatin1String("like ?"),
                                {flag, time, code.left(4) + QLatin1String("%%")});
    default:
        return ExecuteStatement(head + QLatin1String("=?"), {flag, time, code});
    }
}

bool KnowledgeStore::DeleteItems(const QString& code) {
    if (!writableCode(code))
        return false;
    bool ok = false;
    switch (CategoryCode::LevelOf(code)) {
    case Level::Root:
        ok = ExecuteStatement(QStringLiteral("delete from ItemTable where ItemID like ?"),
                              {code.left(2) + QLatin1String("%%%%")});
        if (ok)
            m_names.ForgetUnder(code.left(2));
        break;
    case Level::Major:
        ok = ExecuteStatement(QStringLiteral("delete from ItemTable where ItemID like ?"),
                              {code.left(4) + QLatin1String("%%")});
        if (ok)
            m_names.ForgetUnder(code.left(4));
        break;
    default:
        ok = ExecuteStatement(QStringLiteral("delete from ItemTable where ItemID =?"), {code});
        if (ok)
            m_names.Forget(code);
        break;
    }
    return ok;
}

bool KnowledgeStore::NextChildSegment(const QString& parentCode, QString& segment) {
    if (!CategoryCode::IsWellFormed(parentCode))
        return false;
    const QString none = QStringLiteral("01");
    QString pattern;
    Level childLevel = Level::Invalid;
    switch (CategoryCode::LevelOf(parentCode)) {
    case Level::WholeBase:
        pattern = QStringLiteral("%%0000");
        childLevel = Level::Root;
        break;
    case Level::Root:
        pattern = parentCode.left(2) + QLatin1String("%%00");
        childLevel = Level::Major;
        break;
    case Level::Major:
        pattern = parentCode.left(4) + QLatin1String("%%");
        childLevel = Level::Minor;
        break;
    default: // a minor has no children
        segment = none;
        return false;
    }
    // Silent on a closed database: the callers say what could not be added.
    Recordset result;
    if (!m_database.IsOpen() ||
        open(result,
             QStringLiteral("select ItemID from ItemTable where ItemID like ? order by ItemID"),
             {pattern}) != 1 ||
        result.GetFieldCount() == 0) {
        segment = none;
        return false;
    }
    // Rows in the recycle bin are read too: their codes stay taken.
    QStringList segments;
    for (; !result.IsEOF(); result.MoveNext()) {
        const QString code = textAt(result, 0);
        if (code.size() == 6)
            segments.append(CategoryCode::SegmentOf(code, childLevel));
    }
    segment = CategoryCode::FirstFreeSegment(segments);
    return segment != QLatin1String("00");
}

// Materials

bool KnowledgeStore::NextMaterialId(QString& id) {
    QString text;
    if (!readFirst(QStringLiteral("select MAX(MinuItemID) from MinuItemTable"), {}, text))
        return false;
    qint64 largest = 0;
    if (text != kNull && !toId(text, largest))
        return false;
    id = QString::number(largest + 1);
    return true;
}

bool KnowledgeStore::InsertMaterial(const MaterialRecord& m) {
    qint64 id = 0;
    bool typeOk = false;
    const int type = m.DescribeFileType.toInt(&typeOk);
    if (!toId(m.MinuItemID, id) || !typeOk || !writableCode(m.ItemID))
        return false;
    return ExecuteStatement(
        QStringLiteral("insert into MinuItemTable(MinuItemID,MinuItemName,ItemID,DescribeFileType,"
                       "MinuItemDescribeFilename,\t\tMinuItemFilePath,CreateTime,MinuItemFlag) "
                       "values(?,?,?,?,?,?,?,'AOS')"),
        {id, m.MinuItemName, m.ItemID, type, m.MinuItemDescribeFilename, m.MinuItemFilePath,
         m.CreateTime});
}

bool KnowledgeStore::GetMaterial(const QString& id, MaterialRecord& m) {
    qint64 row = 0;
    if (!toId(id, row))
        return false;
    if (!ensureOpen())
        return false;
    Recordset result;
    if (open(result,
             QStringLiteral("select MinuItemID,MinuItemName,ItemID,DescribeFileType,"
                            "MinuItemDescribeFilename,\t\tMinuItemFilePath,CreateTime from "
                            "MinuItemTable where MinuItemID =?"),
             {row}) != 1)
        return false;
    if (result.IsEOF())
        return true;
    m.MinuItemID = textAt(result, 0);
    m.MinuItemName = textAt(result, 1);
    m.ItemID = textAt(result, 2);
    m.DescribeFileType = textAt(result, 3);
    m.MinuItemDescribeFilename = textAt(result, 4);
    m.MinuItemFilePath = textAt(result, 5);
    m.CreateTime = textAt(result, 6);
    return true;
}

// The recycle bin

bool KnowledgeStore::LoadDeletedItems(QList<RecycleRow>& rows) {
    rows.clear();
    if (!ensureOpen())
        return false;
    Recordset result;
    if (open(result,
             QStringLiteral("select ItemID,ItemName,CreateTime,DeleteDataTime from ItemTable "
                            "where ItemFlag ='EOS'"),
             {}) != 1)
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
    if (open(result,
             QStringLiteral("select MinuItemID,MinuItemName,ItemID,\t\tCreateTime,DeleteDataTime "
                            "from MinuItemTable where \t\tMinuItemFlag ='EOS' and MinuItemID "
                            "between -2147483648 and 2147483647 order by MinuItemID"),
             {}) != 1)
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
    if (open(result,
             QStringLiteral("select MinuItemID,MinuItemName,ItemID,\t\tMinuItemFilePath from "
                            "MinuItemTable where ") +
                 condition,
             {value}) != 1)
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
    if (open(result, statement, params) != 1)
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
    if (open(result, statement + QLatin1Char(')'), params) != 1)
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
    if (open(result, QStringLiteral("select KeyValue from KeyWordTable where MinuItemID =?"),
             {row}) != 1)
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
