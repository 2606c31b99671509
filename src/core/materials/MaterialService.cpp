#include "MaterialService.h"

#include "DescriptionFiles.h"
#include "KeywordMerge.h"
#include "MaterialLookup.h"
#include "MaterialName.h"
#include "MaterialRecycler.h"
#include "Prompter.h"
#include "TimeText.h"
#include "db/Transaction.h"
#include "store/CategoryCode.h"
#include "store/KnowledgeStore.h"
#include "store/MaterialClipboard.h"

#include <algorithm>

MaterialService::MaterialService(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                 Prompter& prompter, const ProgramPaths& paths,
                                 MaterialClipboard& clipboard, QObject* parent)
    : QObject(parent), m_store(store), m_base(base), m_prompter(prompter), m_clipboard(clipboard),
      m_creator(store, base, prompter), m_dockStation(paths, prompter) {}

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
    // Copies: the caller's record may be a row that a listener removes.
    const QString fromCode = material.ItemID;
    MaterialRecord moved = material;
    moved.ItemID = toCode;
    moved.DisplayPath = MaterialLookup::DisplayPath(m_store, m_base, toCode);
    Q_EMIT materialMoved(moved, fromCode);
    return true;
}

MaterialService::RenameResult MaterialService::rename(const MaterialRecord& material,
                                                      const QString& typedName) {
    const QString name = MaterialName::Clean(typedName);
    if (name.isEmpty() || name == material.MinuItemName)
        return RenameResult::Unchanged;
    if (name.size() > MaterialName::kMaxLength) {
        m_prompter.notice(QStringLiteral("资料名太长!"));
        return RenameResult::TooLong;
    }
    if (!MaterialLookup::BelongsToOpenBase(material, m_base))
        return RenameResult::OtherBase;
    if (!m_store.RenameMaterial(material.MinuItemID, name)) {
        m_prompter.error(QStringLiteral("重命名资料 '%1' 失败!").arg(material.MinuItemName));
        return RenameResult::Failed;
    }
    MaterialRecord renamed = material;
    renamed.MinuItemName = name;
    Q_EMIT materialRenamed(renamed);
    return RenameResult::Renamed;
}

bool MaterialService::recycle(const MaterialRecord& material) {
    // A copy: the caller's record may be a row that the first listener removes.
    const MaterialRecord recycled = material;
    const std::optional<RecycleRow> row =
        MaterialRecycler::SendToRecycleBin(m_store, m_base, m_prompter, recycled);
    if (!row)
        return false;
    const std::optional<MaterialRecord>& cut = m_clipboard.material();
    if (cut && cut->MinuItemID == recycled.MinuItemID &&
        cut->KnowledgeBaseID == recycled.KnowledgeBaseID)
        m_clipboard.clear();
    if (m_dockStation.contains(recycled.MinuItemID, recycled.KnowledgeBaseID))
        undock(recycled);
    Q_EMIT materialRecycled(recycled, *row);
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

std::optional<QStringList> MaterialService::keywords(qint64 materialId) {
    QStringList keywords;
    if (!m_store.LoadKeywords(QString::number(materialId), keywords))
        return std::nullopt;
    return keywords;
}

std::optional<QStringList> MaterialService::setKeywords(qint64 materialId, const QStringList& shown,
                                                        const QStringList& edited) {
    const QStringList cleaned = KeywordMerge::Cleaned(edited);
    const KeywordMerge::Changes changes = KeywordMerge::Merge(shown, cleaned);
    if (changes.toInsert.isEmpty() && changes.toDelete.isEmpty())
        return cleaned;
    const QString id = QString::number(materialId);
    bool ok = false;
    {
        Transaction transaction(m_store.database());
        ok = transaction.IsActive();
        for (const QString& keyword : changes.toInsert)
            ok = ok && m_store.InsertKeyword(id, keyword);
        ok = ok && m_store.DeleteKeywords(id, changes.toDelete) && transaction.Commit();
    }
    if (!ok) {
        m_prompter.error(QStringLiteral("保存查询关键字失败!"));
        return std::nullopt;
    }
    Q_EMIT keywordsChanged(materialId, cleaned);
    return cleaned;
}

void MaterialService::loadDockStation() {
    m_dockStation.load();
    Q_EMIT dockStationChanged(m_dockStation.entries());
}

bool MaterialService::announceDockStation(bool written) {
    // Written or not, the station shows the change for this run.
    Q_EMIT dockStationChanged(m_dockStation.entries());
    return written;
}

bool MaterialService::dock(const MaterialRecord& material, bool openInWindow) {
    if (material.MinuItemID.isEmpty() ||
        m_dockStation.contains(material.MinuItemID, material.KnowledgeBaseID))
        return true;
    const bool written = announceDockStation(m_dockStation.add(material, TimeText::now()));
    Q_EMIT docked(material, openInWindow);
    return written;
}

bool MaterialService::undock(const MaterialRecord& material) {
    return announceDockStation(m_dockStation.remove(material.MinuItemID, material.KnowledgeBaseID));
}

bool MaterialService::undockUnopenable(const MaterialRecord& material) {
    m_prompter.error(QStringLiteral("该资料由于资料路径问题而不能正常打开!"));
    return undock(material);
}

bool MaterialService::undockBase(int baseId) {
    const QString id = QString::number(baseId);
    const QList<DockEntry>& entries = m_dockStation.entries();
    if (std::none_of(entries.cbegin(), entries.cend(),
                     [&](const DockEntry& e) { return e.Material.KnowledgeBaseID == id; }))
        return true;
    return announceDockStation(m_dockStation.removeBase(id));
}
