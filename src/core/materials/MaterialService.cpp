#include "MaterialService.h"

#include "DescriptionFiles.h"
#include "MaterialLookup.h"
#include "MaterialRecycler.h"
#include "Prompter.h"
#include "store/CategoryCode.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialClipboard.h"

MaterialService::MaterialService(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                 Prompter& prompter, MaterialClipboard& clipboard, QObject* parent)
    : QObject(parent), m_store(store), m_base(base), m_prompter(prompter), m_clipboard(clipboard),
      m_creator(store, base, prompter) {}

std::optional<MaterialRecord> MaterialService::create(const QString& code, const QString& name,
                                                      const QString& typeText,
                                                      bool openAfterwards) {
    std::optional<MaterialRecord> material = m_creator.Create(code, name, typeText, openAfterwards);
    if (material)
        Q_EMIT materialCreated(*material);
    return material;
}

bool MaterialService::move(const MaterialRecord& material, const QString& toCode) {
    // The texts are those of a paste in the tree, the way the user moves one.
    if (!MaterialLookup::BelongsToOpenBase(material, m_base)) {
        m_prompter.notice(QStringLiteral("无效的不同知识库之间的粘贴!"));
        return false;
    }
    if (!CategoryCode::IsWellFormed(toCode) || !CategoryCode::IsMinor(toCode)) {
        m_prompter.notice(QStringLiteral("无效的粘贴!"));
        return false;
    }
    if (material.ItemID == toCode) {
        m_prompter.notice(QStringLiteral("不能粘贴资料到自己的目录下!"));
        return false;
    }
    if (!m_store.MoveMaterial(toCode, material.MinuItemID)) {
        m_prompter.error(QStringLiteral("粘贴资料失败!"));
        return false;
    }
    MaterialRecord moved = material;
    moved.ItemID = toCode;
    moved.DisplayPath = MaterialLookup::DisplayPath(m_store, m_base, toCode);
    Q_EMIT materialMoved(moved, material.ItemID);
    return true;
}

bool MaterialService::recycle(const MaterialRecord& material) {
    const std::optional<RecycleRow> row =
        MaterialRecycler::SendToRecycleBin(m_store, m_base, m_prompter, material);
    if (!row)
        return false;
    const std::optional<MaterialRecord>& cut = m_clipboard.material();
    if (cut && cut->MinuItemID == material.MinuItemID &&
        cut->KnowledgeBaseID == material.KnowledgeBaseID)
        m_clipboard.clear();
    Q_EMIT materialRecycled(material, *row);
    return true;
}

bool MaterialService::addDescription(const MaterialRecord& material, const QString& typeText) {
    MaterialRecord described = material;
    if (!DescriptionFiles(m_store, m_base, m_prompter).Add(described, typeText))
        return false;
    Q_EMIT descriptionChanged(described);
    return true;
}

bool MaterialService::removeDescription(const MaterialRecord& material) {
    MaterialRecord undescribed = material;
    if (!DescriptionFiles(m_store, m_base, m_prompter).Remove(undescribed))
        return false;
    Q_EMIT descriptionChanged(undescribed);
    return true;
}
