// The tree's cut and paste: items to a new parent, materials to a new minor.
#include "TreeService.h"

#include "CategoryCode.h"
#include "CurrentKnowledgeBase.h"
#include "KnowledgeStore.h"
#include "MaterialClipboard.h"
#include "db/Transaction.h"

#include <memory>

using CategoryCode::Level;

namespace {

const QString kNotice = QStringLiteral("提示");

} // namespace

void TreeService::cutItem(const QString& code) {
    const Level level = CategoryCode::LevelOf(code);
    if (level != Level::Major && level != Level::Minor) {
        m_cutItem.clear();
        return;
    }
    m_cutItem = code;
    m_cutMaterials.clear();
    m_materialClipboard.clear();
}

void TreeService::cutMaterialsOf(const QString& code) {
    m_cutItem.clear();
    if (CategoryCode::LevelOf(code) != Level::Minor) {
        m_cutMaterials.clear();
        return;
    }
    m_cutMaterials = code;
    m_materialClipboard.clear();
}

void TreeService::forgetCuts() {
    m_cutItem.clear();
    m_cutMaterials.clear();
}

void TreeService::forgetCleared(const QString& code) {
    const QString prefix = CategoryCode::SharedPrefix(code);
    if (m_cutItem.startsWith(prefix))
        m_cutItem.clear();
    if (m_cutMaterials.startsWith(prefix))
        m_cutMaterials.clear();
}

bool TreeService::paste(const QString& targetCode) {
    switch (CategoryCode::LevelOf(targetCode)) {
    case Level::Root:
    case Level::Major:
        return pasteItem(targetCode);
    case Level::Minor:
        return m_cutMaterials.isEmpty() ? pasteOneMaterial(targetCode) : pasteMaterials(targetCode);
    default:
        failed(QStringLiteral("无效的粘贴!"));
        return false;
    }
}

bool TreeService::pasteItem(const QString& targetCode) {
    const bool underRoot = CategoryCode::LevelOf(targetCode) == Level::Root;
    if (m_cutItem.isEmpty()) {
        failed(underRoot ? QStringLiteral("无效的粘贴!") : QStringLiteral("请选择剪切项!"),
               kNotice);
        return false;
    }
    if (m_store.ItemNameOf(targetCode).isEmpty()) {
        failed(QStringLiteral("选择知识库项为空，粘贴失败!"));
        return false;
    }
    const int shared = underRoot ? 2 : 4;
    if (m_cutItem.left(shared) == targetCode.left(shared)) {
        failed(QStringLiteral("不能粘贴到同一个父项下!"), kNotice);
        return false;
    }
    if (CategoryCode::LevelOf(m_cutItem) != (underRoot ? Level::Major : Level::Minor)) {
        failed(QStringLiteral("粘贴无效!"));
        return false;
    }
    const QString failure =
        underRoot ? QStringLiteral("粘贴知识库大项失败!") : QStringLiteral("粘贴知识库小项失败!");
    const QString oldCode = m_cutItem;

    // The item, its minors and every material under them change codes
    // together or not at all; the new code is found under the same write
    // lock, so no other writer can take it meanwhile.
    auto newCode = std::make_shared<QString>();
    return write(
        [=](KnowledgeStore& store) {
            Transaction transaction(store.database());
            QString segment;
            bool ok = transaction.IsActive() && store.NextChildSegment(targetCode, segment);
            if (ok)
                *newCode = underRoot ? targetCode.left(2) + segment + oldCode.right(2)
                                     : targetCode.left(4) + segment;
            ok = ok && store.RecodeItem(oldCode, *newCode) &&
                 store.RecodeMaterialsOfItem(*newCode, oldCode);
            if (ok && underRoot) {
                QList<ItemRecord> below;
                ok = store.LoadSubItems(oldCode, below);
                for (const ItemRecord& minor : below) {
                    const QString minorCode = newCode->left(4) + minor.ItemID.right(2);
                    ok = ok && store.RecodeItem(minor.ItemID, minorCode) &&
                         store.RecodeMaterialsOfItem(minorCode, minor.ItemID);
                }
            }
            return ok && transaction.Commit();
        },
        [=, this](bool written) {
            if (!written) {
                reloadNames(); // the cache followed writes that were rolled back
                failed(failure);
                return;
            }
            if (m_cutItem == oldCode)
                m_cutItem.clear();
            Q_EMIT itemRecoded(oldCode, *newCode);
        });
}

bool TreeService::pasteMaterials(const QString& targetCode) {
    const QString from = m_cutMaterials;
    if (CategoryCode::LevelOf(from) != Level::Minor)
        return false;
    m_cutMaterials.clear();
    return write(
        [from, targetCode](KnowledgeStore& store) {
            return store.RecodeMaterialsOfItem(targetCode, from);
        },
        [=, this](bool written) {
            if (!written) {
                failed(QStringLiteral("粘贴资料失败!"));
                return;
            }
            Q_EMIT materialsOfItemMoved(from, targetCode);
        });
}

bool TreeService::pasteOneMaterial(const QString& targetCode) {
    const std::optional<MaterialRecord>& cut = m_materialClipboard.material();
    if (!cut) {
        failed(QStringLiteral("请剪切资料再粘贴!"), kNotice);
        return false;
    }
    if (cut->KnowledgeBaseID != QString::number(m_base.ID)) {
        failed(QStringLiteral("无效的不同知识库之间的粘贴!"), kNotice);
        return false;
    }
    if (cut->MinuItemID.isEmpty()) {
        failed(QStringLiteral("没有剪切的项!"), kNotice);
        return false;
    }
    if (cut->ItemID == targetCode) {
        failed(QStringLiteral("不能粘贴资料到自己的目录下!"), kNotice);
        return false;
    }
    if (!m_store.MoveMaterial(targetCode, cut->MinuItemID)) {
        failed(QStringLiteral("粘贴资料失败!"));
        return false;
    }
    MaterialRecord moved = *cut;
    const QString from = moved.ItemID;
    moved.ItemID = targetCode;
    moved.DisplayPath = m_store.ItemNames().DisplayPath(m_base.Name, targetCode);
    m_materialClipboard.clear();
    m_cutItem.clear();
    Q_EMIT materialMoved(moved, from);
    return true;
}
