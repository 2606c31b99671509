#pragma once

#include <optional>

class KnowledgeStore;
class Prompter;
struct CurrentKnowledgeBase;
struct MaterialRecord;
struct RecycleRow;

// Delete of the material lists: after the user's OK the material's row is
// flagged "EOS" (its folder stays until the recycle bin is cleared).
namespace MaterialRecycler {

// The recycle-bin row for the deleted material, or nothing when the user
// cancelled or the row could not be flagged (then after a message, and the
// lists must keep showing the material).
std::optional<RecycleRow> SendToRecycleBin(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                           Prompter& prompter, const MaterialRecord& material);

} // namespace MaterialRecycler
