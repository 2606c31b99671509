#include "RewriteVersions.h"

#include "config/ConfigFileWriter.h"
#include "config/ProgramPaths.h"
#include "db/Transaction.h"
#include "materials/DockStationFile.h"
#include "store/CategoryCode.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"

namespace RewriteVersions {

namespace {

const QString kTime = QStringLiteral("2009-03-07 14:05:09");
const QString kRenamedItem = QStringLiteral("010101");
const QString kKeyword = QStringLiteral("崩溃");

QString minorOf(int version) {
    return version == 0 ? QStringLiteral("010101") : QStringLiteral("010102");
}

MaterialRecord material(const CurrentKnowledgeBase& base, const QString& id, const QString& name,
                        const QString& code) {
    MaterialRecord m;
    m.MinuItemID = id;
    m.MinuItemName = name;
    m.DisplayPath = base.Name + QStringLiteral("\\根\\大项\\") + name;
    m.ItemID = code;
    m.DescribeFileType = QStringLiteral("1");
    m.MinuItemFilePath = CategoryCode::MaterialFolder(code, id);
    m.CreateTime = kTime;
    m.KnowledgeBaseID = QString::number(base.ID);
    m.FilesRoot = base.FilesRoot;
    return m;
}

MaterialRecord first(const CurrentKnowledgeBase& base) {
    return material(base, QStringLiteral("1"), QStringLiteral("资料甲"), minorOf(0));
}

MaterialRecord second(const CurrentKnowledgeBase& base) {
    return material(base, QStringLiteral("2"), QStringLiteral("资料乙"), minorOf(1));
}

DockEntry docked(MaterialRecord m) {
    m.NetworkMark = QStringLiteral("0");
    return {m, kTime};
}

} // namespace

QString ItemName(int version) {
    return version == 0 ? QStringLiteral("版本甲") : QStringLiteral("版本乙");
}

bool SeedCatalogue(KnowledgeStore& store, const CurrentKnowledgeBase& base) {
    return store.InsertItem(QStringLiteral("根"), QStringLiteral("010000")) &&
           store.InsertItem(QStringLiteral("大项"), QStringLiteral("010100")) &&
           store.InsertItem(ItemName(0), minorOf(0)) &&
           store.InsertItem(QStringLiteral("小项二"), minorOf(1)) &&
           store.InsertMaterial(first(base));
}

ResourceConfigData Config(const LocalResourceRecord& base, int version) {
    ResourceConfigData c;
    c.LocalResources = {base};
    c.DescriptAllFiles = {{1, QStringLiteral("*.rtf")}, {2, QStringLiteral("*.txt")}};
    c.DescriptFiles = {{1, base.ID}, {2, base.ID}};
    if (version == 1) {
        c.DescriptAllFiles.append({3, QStringLiteral("*.cpp")});
        c.DescriptFiles.append({3, base.ID});
    }
    c.SearchGroups = {{1, QStringLiteral("搜索文件")}};
    c.SearchAllFiles = {{1, QStringLiteral("*.txt")}, {2, QStringLiteral("*.ini")}};
    c.SearchFiles = {{1, 1}, {2, 1}};
    c.IsStartLoggResource = 1;
    c.StartResourceID = base.ID;
    c.SearchFileTypeGroupID = version;
    return c;
}

SearchSettings Search(int version) {
    SearchSettings s;
    s.UpperLowerFlag = version;
    s.WildCardFlag = version;
    return s;
}

QList<DockEntry> DockEntries(const CurrentKnowledgeBase& base, int version) {
    QList<DockEntry> entries{docked(first(base))};
    if (version == 1)
        entries.append(docked(second(base)));
    return entries;
}

QList<SettingsFile> SettingsFiles(const ProgramPaths& paths, const LocalResourceRecord& record,
                                  const CurrentKnowledgeBase& base, int version) {
    return {
        {paths.mainConfigFile(),
         ConfigFileWriter::Encode(ResourceConfigText(Config(record, version)))},
        {paths.dockStationFile(),
         ConfigFileWriter::Encode(DockStationFile::FileText(DockEntries(base, version)))},
        {paths.searchConfigFile(), ConfigFileWriter::Encode(Search(version).Text())},
    };
}

bool MoveDock(DockStationFile& dock, const CurrentKnowledgeBase& base, int version) {
    const MaterialRecord m1 = first(base);
    if (!dock.contains(m1.MinuItemID, m1.KnowledgeBaseID) && !dock.add(m1, kTime))
        return false;
    const MaterialRecord m = second(base);
    const bool docked = dock.contains(m.MinuItemID, m.KnowledgeBaseID);
    if (version == 1 && !docked)
        return dock.add(m, kTime);
    if (version == 0 && docked)
        return dock.remove(m.MinuItemID, m.KnowledgeBaseID);
    return dock.save();
}

bool MoveCatalogue(KnowledgeStore& store, const CurrentKnowledgeBase& base, int version) {
    const MaterialRecord m = second(base);
    Transaction transaction(store.database());
    bool ok = transaction.IsActive() && store.RenameItem(kRenamedItem, ItemName(version)) &&
              store.MoveMaterial(minorOf(version), first(base).MinuItemID) &&
              store.DeleteMaterialRow(m.MinuItemID);
    if (version == 1)
        ok = ok && store.InsertMaterial(m) && store.InsertKeyword(m.MinuItemID, kKeyword);
    return ok && transaction.Commit();
}

int CatalogueVersion(KnowledgeStore& store) {
    ItemRecord item;
    MaterialRecord m1, m2;
    QStringList keywords;
    if (!store.LoadItem(kRenamedItem, item) || !store.GetMaterial(QStringLiteral("1"), m1) ||
        !store.GetMaterial(QStringLiteral("2"), m2) ||
        !store.LoadKeywords(QStringLiteral("2"), keywords))
        return -1;
    for (int version = 0; version < kCount; ++version) {
        const bool secondThere = version == 1;
        if (item.ItemName == ItemName(version) && m1.ItemID == minorOf(version) &&
            m2.MinuItemID.isEmpty() != secondThere &&
            keywords == (secondThere ? QStringList{kKeyword} : QStringList{}))
            return version;
    }
    return -1;
}

} // namespace RewriteVersions
