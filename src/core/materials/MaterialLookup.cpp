#include "MaterialLookup.h"

#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"

namespace MaterialLookup {

QString DisplayPath(KnowledgeStore& store, const CurrentKnowledgeBase& base, const QString& code) {
    // Every base holds the row "000000", so an empty cache was never filled.
    if (store.ItemNames().Items().isEmpty()) {
        QList<ItemRecord> all;
        store.LoadAllItems(all);
    }
    return store.ItemNames().DisplayPath(base.Name, code);
}

void Complete(KnowledgeStore& store, const CurrentKnowledgeBase& base, MaterialRecord& material) {
    material.DisplayPath = DisplayPath(store, base, material.ItemID);
    material.KnowledgeBaseID = QString::number(base.ID);
    material.FilesRoot = base.FilesRoot;
}

bool Load(KnowledgeStore& store, const CurrentKnowledgeBase& base, const QString& id,
          MaterialRecord& material) {
    MaterialRecord read;
    if (!store.GetMaterial(id, read) || read.MinuItemID.isEmpty())
        return false;
    Complete(store, base, read);
    material = read;
    return true;
}

bool BelongsToOpenBase(const MaterialRecord& material, const CurrentKnowledgeBase& base) {
    return base.IsOpen() && material.KnowledgeBaseID == QString::number(base.ID);
}

} // namespace MaterialLookup
