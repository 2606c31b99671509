#include "TreeService.h"

#include "CategoryCode.h"
#include "CurrentKnowledgeBase.h"
#include "KnowledgeStore.h"
#include "Prompter.h"
#include "TimeText.h"
#include "db/Transaction.h"

#include <QPointer>
#include <QSet>

using CategoryCode::Level;

namespace {

const QString kNotice = QStringLiteral("提示");

} // namespace

TreeService::TreeService(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                         Prompter& prompter, MaterialClipboard& materialClipboard, QObject* parent)
    : QObject(parent), m_store(store), m_base(base), m_prompter(prompter),
      m_materialClipboard(materialClipboard) {}

void TreeService::failed(const QString& text, const QString& caption) {
    m_prompter.message(text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

QString TreeService::itemText(const QString& code) const {
    return m_store.ItemNameOf(code) + QLatin1Char('(') + code + QLatin1Char(')');
}

bool TreeService::write(StoreWriteRunner::Write work, StoreWriteRunner::Then then) {
    if (!m_writeRunner) {
        const bool written = work(m_store);
        then(written);
        return written;
    }
    QPointer<TreeService> self(this);
    const int baseId = m_base.ID;
    return m_writeRunner->run(std::move(work), [self, baseId, then](bool written) {
        if (!self)
            return;
        // The window may show another base by now: only a failure is still
        // worth telling.
        if (self->m_base.ID != baseId) {
            if (!written)
                then(false);
            return;
        }
        // The worker's store kept the names it wrote to itself.
        self->reloadNames();
        then(written);
    });
}

// Reading

QList<ItemRecord> TreeService::children(const QString& parentCode) {
    QList<ItemRecord> items;
    if (CategoryCode::IsMinor(parentCode) || !m_store.LoadChildItems(parentCode, items))
        return {};
    QSet<QString> seen;
    for (qsizetype i = 0; i < items.size();) {
        if (seen.contains(items[i].ItemID)) {
            m_store.DeleteItemById(items[i].ID);
            items.removeAt(i);
        } else {
            seen.insert(items[i].ItemID);
            ++i;
        }
    }
    return items;
}

void TreeService::reloadNames() {
    QList<ItemRecord> all;
    m_store.LoadAllItems(all);
}

std::optional<ItemRecord> TreeService::item(const QString& code) {
    ItemRecord record;
    if (!m_store.LoadItem(code, record))
        return std::nullopt;
    return record;
}

// Adding and renaming

std::optional<QString> TreeService::addRoot(const QString& typedName) {
    const QString name = typedName.trimmed();
    if (name.isEmpty()) {
        failed(QStringLiteral("知识库项名不能为空!"), kNotice);
        return std::nullopt;
    }
    QString code;
    if (!m_store.InsertChildItem(CategoryCode::kWholeBase, name, code)) {
        failed(QStringLiteral("添加知识库根项失败!"), kNotice);
        return std::nullopt;
    }
    Q_EMIT itemAdded(code, name);
    return code;
}

std::optional<QString> TreeService::addChild(const QString& parentCode) {
    const Level level = CategoryCode::LevelOf(parentCode);
    if (level != Level::Root && level != Level::Major)
        return std::nullopt;
    const bool major = level == Level::Root;
    const QString name = major ? QStringLiteral("新建资料大项!") : QStringLiteral("新建资料小项!");
    QString code;
    if (!m_store.InsertChildItem(parentCode, name, code)) {
        failed(major ? QStringLiteral("添加知识库大项失败!")
                     : QStringLiteral("添加知识库小项失败!"));
        return std::nullopt;
    }
    Q_EMIT itemAdded(code, name);
    return code;
}

bool TreeService::renameItem(const QString& code, const QString& typedName) {
    const QString name = typedName.trimmed();
    if (name.isEmpty() || name == m_store.ItemNameOf(code))
        return true;
    if (!m_store.RenameItem(code, name)) {
        failed(QStringLiteral("重命名知识库项 '%1' 失败!").arg(itemText(code)));
        return false;
    }
    Q_EMIT itemRenamed(code, name);
    return true;
}

bool TreeService::exchangeItems(const QString& code, const QString& siblingCode) {
    int first = 0, second = 0;
    Transaction transaction(m_store.database());
    if (!transaction.IsActive() || !m_store.GetItemPreference(code, first) ||
        !m_store.GetItemPreference(siblingCode, second) ||
        !m_store.SetItemPreference(code, second) ||
        !m_store.SetItemPreference(siblingCode, first) || !transaction.Commit()) {
        failed(QStringLiteral("移动知识库项 '%1' 失败!").arg(itemText(code)));
        return false;
    }
    Q_EMIT itemsExchanged(code, siblingCode);
    return true;
}

// The recycle bin

bool TreeService::recycleItem(const QString& code) {
    if (!children(code).isEmpty()) {
        failed(QStringLiteral("不能对存在子项的知识库项 '%1' 进行删除!").arg(itemText(code)));
        return false;
    }
    const QString path = m_store.ItemNames().DisplayPath(m_base.Name, code);
    if (m_prompter.message(QStringLiteral("确定要删除该知识库项吗?"), QStringLiteral("警告"),
                           Prompter::Icon::Question,
                           Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return false;

    QString createTime;
    m_store.GetItemCreateTime(code, createTime);
    const QString deleteTime = TimeText::now();
    const QString name = m_store.ItemNameOf(code);
    const QString shown = itemText(code);
    return write(
        [code](KnowledgeStore& store) {
            Transaction transaction(store.database());
            return transaction.IsActive() && store.SetItemFlag(code, QStringLiteral("EOS")) &&
                   store.SetMaterialsFlagOfItem(code, false) && transaction.Commit();
        },
        [=, this](bool written) {
            if (!written) {
                failed(QStringLiteral("删除知识库项 '%1' 失败!").arg(shown));
                return;
            }
            forgetCleared(code);
            Q_EMIT itemRecycled(RecycleRow{
                name, RecycleKindOf(code, false), path, deleteTime, {}, code, createTime});
        });
}

bool TreeService::restore(const RecycleRow& row) {
    if (row.IsMaterial()) {
        // A code of the wrong length names no item to list the material under.
        if (row.Code.size() != 6 || !m_store.RestoreMaterialRow(row.MaterialId)) {
            failed(QStringLiteral("还原资料 '%1' 失败!").arg(row.Name));
            return false;
        }
        MaterialRecord material;
        m_store.GetMaterial(row.MaterialId, material);
        material.DisplayPath = m_store.ItemNames().DisplayPath(m_base.Name, material.ItemID);
        material.KnowledgeBaseID = QString::number(m_base.ID);
        material.FilesRoot = m_base.FilesRoot;
        Q_EMIT materialRestored(material);
        return true;
    }
    // Only this item comes back, with the materials filed directly under it;
    // the items below it stay until they are restored themselves.
    Transaction transaction(m_store.database());
    if (!transaction.IsActive() || !m_store.RestoreItemRow(row.Code) ||
        !m_store.RestoreMaterialsOfItem(row.Code) || !transaction.Commit()) {
        failed(QStringLiteral("还原知识库项 '%1' 失败!").arg(row.Name));
        return false;
    }
    Q_EMIT itemRestored(row.Code);
    return true;
}
