#include "MaterialRecycler.h"

#include "MaterialLookup.h"
#include "Prompter.h"
#include "TimeText.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialRecord.h"
#include "store/RecycleRow.h"

namespace MaterialRecycler {

std::optional<RecycleRow> SendToRecycleBin(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                           Prompter& prompter, const MaterialRecord& material) {
    if (material.MinuItemID.isEmpty())
        return std::nullopt;
    if (prompter.message(QStringLiteral("确定要删除该资料吗?"), QStringLiteral("警告"),
                         Prompter::Icon::Question,
                         Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return std::nullopt;
    if (!MaterialLookup::BelongsToOpenBase(material, base)) {
        prompter.error(QStringLiteral("该资料不属于当前本地知识库!"));
        return std::nullopt;
    }
    const QString time = TimeText::now();
    if (!store.SetMaterialFlag(material.MinuItemID, QStringLiteral("EOS"), time)) {
        prompter.error(QStringLiteral("删除资料 '%1' 失败!").arg(material.MinuItemName));
        return std::nullopt;
    }
    RecycleRow row;
    row.Name = material.MinuItemName;
    row.Kind = RecycleKindOf(material.ItemID, true);
    row.Path = material.DisplayPath;
    row.DeleteTime = time;
    row.MaterialId = material.MinuItemID;
    row.Code = material.ItemID;
    row.CreateTime = material.CreateTime;
    return row;
}

} // namespace MaterialRecycler
