#pragma once

#include "store/MaterialRecord.h"

#include <QString>

class KnowledgeStore;
struct CurrentKnowledgeBase;

// The fields of a material that the store does not hold (display path, base
// id and folder) come from the open base; these put them in.
namespace MaterialLookup {

// The display path "base\root\major\minor" from the item-name cache, which
// is filled first when nothing has filled it yet (a tree fill normally has).
QString DisplayPath(KnowledgeStore& store, const CurrentKnowledgeBase& base, const QString& code);

// Fills the path, base id and folder of a record the store read.
void Complete(KnowledgeStore& store, const CurrentKnowledgeBase& base, MaterialRecord& material);

// All twelve fields of the material with the id, live or deleted; false when
// there is none (or the database cannot say).
bool Load(KnowledgeStore& store, const CurrentKnowledgeBase& base, const QString& id,
          MaterialRecord& material);

// Every write about a material goes to the open base's database, so a record
// from another base (the dock station and the open-materials list keep them
// across switches) must not be written: its id names another material here.
bool BelongsToOpenBase(const MaterialRecord& material, const CurrentKnowledgeBase& base);

} // namespace MaterialLookup
