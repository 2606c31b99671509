#pragma once

#include "ItemNameCache.h"
#include "ItemRecord.h"
#include "MaterialRecord.h"
#include "RecycleRow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class Database;
class Prompter;
class Recordset;

// The primitive statements on the three tables of the open knowledge base,
// and the item-name cache. Every operation opens and closes its own result;
// names, keywords, codes and flags travel as bound parameters, never inside
// the statement text. Each returns false on failure: when the database is
// closed after telling the user "数据库没有打开或已经关闭!", when SQLite
// fails without a word (the reason is in the Database's GetErrorText).
//
// Codes that end up in a "like" pattern or are written must be well formed
// (CategoryCode::IsWellFormed); material ids and row numbers must be decimal
// integers. Anything else is refused with false before a statement runs.
//
// Successful item writes keep the name cache current themselves, so a caller
// that also calls ItemNames().Remember() after InsertItem does no harm.
class KnowledgeStore {
public:
    KnowledgeStore(Database& database, Prompter& prompter);

    Database& database() const { return m_database; }

    // Runs a statement that returns no rows; every "?" takes the next of
    // params.
    bool ExecuteStatement(const QString& statement, const QVariantList& params = {});

    // Reading items
    bool LoadItem(const QString& code, ItemRecord& record);
    // Live children in Preference, then ItemID order; the parent's own row
    // never; nothing for a minor. The list is emptied first.
    bool LoadChildItems(const QString& parentCode, QList<ItemRecord>& list);
    bool LoadChildItemsAnyFlag(const QString& parentCode, QList<ItemRecord>& list);
    // Every row below a major, any flag; ItemID and ItemName only.
    bool LoadSubItems(const QString& code, QList<ItemRecord>& list);
    // Every row in ItemID order; also reloads the name cache.
    bool LoadAllItems(QList<ItemRecord>& list);
    bool GetItemPreference(const QString& code, int& value);
    bool GetItemCreateTime(const QString& code, QString& time);

    // Writing items
    // The largest Preference plus one (1 for an empty table).
    bool NextPreference(int& value);
    bool InsertItem(const QString& name, const QString& code);
    bool RenameItem(const QString& code, const QString& name);
    bool SetItemPreference(const QString& code, int value);
    // New code, and a Preference after every other row's.
    bool RecodeItem(const QString& oldCode, const QString& newCode);
    bool DeleteItemRow(const QString& code);
    bool DeleteItemById(const QString& id);
    bool RestoreItemRow(const QString& code);
    // Flags the item and every item below it, all with one DeleteDataTime.
    bool SetItemFlag(const QString& code, const QString& flag);
    // Deletes the item's rows and every row below it.
    bool DeleteItems(const QString& code);
    // The first segment no row below the parent holds, in any state; false
    // with "01" for a minor or a closed database, false with "00" when the
    // parent is full, false with segment untouched for a malformed parent.
    bool NextChildSegment(const QString& parentCode, QString& segment);
    // Finds the parent's first free code and inserts the item there, both in
    // one write transaction, so that another process adding under the same
    // parent at the same moment can never be handed the same code. The new
    // code, or false with nothing written.
    bool InsertChildItem(const QString& parentCode, const QString& name, QString& code);
    // A row at a code the caller chose, with the given Preference and time:
    // for a caller that allocates many codes inside its own transaction.
    bool InsertItemRow(const QString& code, const QString& name, int preference,
                       const QString& createTime);

    // Materials
    // The largest MinuItemID plus one, whatever the flags ("1" when empty);
    // id is untouched on failure.
    bool NextMaterialId(QString& id);
    // Fields 1, 2, 4, 5, 6, 7 and 8; fails for an id already in use.
    bool InsertMaterial(const MaterialRecord& material);
    // Deletes the rows of many materials and their keywords, a few hundred
    // ids to a statement; for a caller inside its own transaction.
    bool DeleteMaterialRows(const QList<qint64>& ids);
    // Fills fields 1, 2, 4, 5, 6, 7 and 8; a missing row leaves the record
    // alone and still succeeds.
    bool GetMaterial(const QString& id, MaterialRecord& material);
    bool SetMaterialFlag(const QString& id, const QString& flag, const QString& time);
    bool RestoreMaterialRow(const QString& id);
    // Deletes the material's row together with its keywords, so an id handed
    // out again never inherits them.
    bool DeleteMaterialRow(const QString& id);
    bool RecodeMaterialsOfItem(const QString& newCode, const QString& oldCode);
    bool MoveMaterial(const QString& code, const QString& id);
    // "AOS" for restore, else "EOS", for every material under the item;
    // DeleteDataTime untouched.
    bool SetMaterialsFlagOfItem(const QString& code, bool restore);
    bool RenameMaterial(const QString& id, const QString& name);
    // The description file's kind and name; type 1 with an empty name when
    // the material's web pages describe it.
    bool SetMaterialDescription(const QString& id, int type, const QString& fileName);

    // The material list
    // Ids of the live materials under the code (any level, "000000" for the
    // whole base) of the description type (0 all, 1 web pages, 2 any other)
    // created within [createdFrom, createdTo] (time texts, either may be
    // empty). Nothing for a code that is not one. The list is emptied first.
    bool LoadMaterialIds(const QString& code, int typeFilter, const QString& createdFrom,
                         const QString& createdTo, QList<qint64>& ids);
    // Fields 1, 2, 4, 5, 6, 7 and 8 of the materials with these ids, in the
    // order of the ids; an id without a row is left out.
    bool LoadMaterials(const QList<qint64>& ids, QList<MaterialRecord>& materials);

    // The recycle bin
    // Items flagged "EOS", except the whole-base row: name, code, creation
    // and deletion time (kind and path are left to the caller).
    bool LoadDeletedItems(QList<RecycleRow>& rows);
    // Materials flagged "EOS", by id; only those whose id is a 32-bit integer,
    // the only ids the program can tell apart.
    bool LoadDeletedMaterials(QList<RecycleRow>& rows);
    // Id, name, code and folder of every material under the item (for a root
    // or major, under every item below it too), live or deleted: clearing an
    // item must not leave deleted materials behind without a category.
    bool LoadMaterialsUnder(const QString& code, QList<MaterialRecord>& materials);
    // As LoadMaterialsUnder, id and folder only: all a clear needs, read for
    // a hundred thousand rows at a time.
    bool LoadMaterialFoldersUnder(const QString& code, QList<MaterialRecord>& materials);
    // Makes the materials filed directly under the code live again.
    bool RestoreMaterialsOfItem(const QString& code);

    // Keywords
    bool LoadKeywords(const QString& id, QStringList& keywords);
    bool InsertKeyword(const QString& id, const QString& keyword);
    // One statement for all values; true at once for an empty list.
    bool DeleteKeywords(const QString& id, const QStringList& keywords);

    // Item-name cache
    QString ItemNameOf(const QString& code) const { return m_names.NameOf(code); }
    ItemNameCache& ItemNames() { return m_names; }
    const ItemNameCache& ItemNames() const { return m_names; }

private:
    bool ensureOpen();
    // False when the statement fails; the reason is in GetErrorText.
    bool open(Recordset& result, const QString& statement, const QVariantList& params);
    bool loadChildren(const QString& parentCode, QList<ItemRecord>& list, bool liveOnly);
    bool readFirst(const QString& statement, const QVariantList& params, QString& value);
    // The condition on ItemID that picks the materials filed under a code
    // (a minor's own, or everything under a root's or a major's prefix), and
    // the value it binds.
    static QString materialsUnder(const QString& code, QString& value);

    Database& m_database;
    Prompter& m_prompter;
    ItemNameCache m_names;
};
