#include "KnowledgeStore.h"

#include "CategoryCode.h"
#include "Prompter.h"
#include "StoreFields.h"
#include "TimeText.h"
#include "db/Database.h"
#include "db/Recordset.h"

using CategoryCode::Level;

using StoreFields::textAt;
using StoreFields::toId;
using StoreFields::writableCode;

namespace {

const QString kNotOpen = QStringLiteral("数据库没有打开或已经关闭!");
const QString kNull = QStringLiteral("NULL");

int toInt(const QString& text) {
    return text.toInt();
} // "NULL" and junk read as 0

ItemRecord itemAt(const Recordset& result) {
    return {textAt(result, 0), textAt(result, 1), textAt(result, 2), toInt(textAt(result, 3))};
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

bool KnowledgeStore::open(Recordset& result, const QString& statement, const QVariantList& params) {
    result.SetDatabase(&m_database);
    return result.Open(statement, params);
}

bool KnowledgeStore::readFirst(const QString& statement, const QVariantList& params,
                               QString& value) {
    if (!ensureOpen())
        return false;
    Recordset result;
    if (!open(result, statement, params) || result.IsEOF())
        return false;
    return result.GetValueText(0, value);
}

bool KnowledgeStore::ExecuteStatement(const QString& statement, const QVariantList& params) {
    if (!ensureOpen())
        return false;
    Recordset result;
    return open(result, statement, params);
}

// Reading items

bool KnowledgeStore::LoadItem(const QString& code, ItemRecord& record) {
    if (!ensureOpen())
        return false;
    Recordset result;
    if (!open(result,
              QStringLiteral("select ItemID,ItemName,Preference from ItemTable where ItemID = ? "
                             "order by Preference"),
              {code}) ||
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
    if (!open(result, statement, {value}))
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
    if (!open(result,
              QStringLiteral(
                  "select ItemID,ItemName from ItemTable where ItemID like ? order by Preference"),
              {code.left(4) + QLatin1String("%%")}))
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
    if (!open(result,
              QStringLiteral("select ID,ItemID,ItemName,Preference from ItemTable order by ItemID"),
              {}))
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
        !open(result,
              QStringLiteral("select ItemID from ItemTable where ItemID like ? order by ItemID"),
              {pattern}) ||
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
    if (!open(result,
              QStringLiteral("select MinuItemID,MinuItemName,ItemID,DescribeFileType,"
                             "MinuItemDescribeFilename,\t\tMinuItemFilePath,CreateTime from "
                             "MinuItemTable where MinuItemID =?"),
              {row}))
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
