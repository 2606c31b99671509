#pragma once

#include "ItemRecord.h"
#include "MaterialRecord.h"
#include "RecycleRow.h"
#include "StoreWriteRunner.h"

#include <QList>
#include <QObject>
#include <optional>

class KnowledgeStore;
class MaterialClipboard;
class Prompter;
struct CurrentKnowledgeBase;

// Every change of the open base's category tree, for the window and
// keepsake-cli alike: adding, renaming and reordering items, cutting and
// pasting items and materials, sending items to the recycle bin and
// restoring them. Each change is one transaction in the store, told to the
// user through the prompter when it fails and announced to the views when it
// succeeds; the views change only on those announcements.
class TreeService : public QObject {
    Q_OBJECT
public:
    TreeService(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                MaterialClipboard& materialClipboard, QObject* parent = nullptr);

    // Moving and deleting items then write through the runner and are
    // announced once the write has ended. Without one they write at once.
    void setWriteRunner(StoreWriteRunner* runner) { m_writeRunner = runner; }

    // The live children of an item in display order. A code stored twice is
    // listed once: the later rows are deleted, the first one stays.
    QList<ItemRecord> children(const QString& parentCode);
    // Reads every item's name again, for display paths after a refill.
    void reloadNames();
    std::optional<ItemRecord> item(const QString& code);

    // A root named by the user; its code, or nothing after a message.
    std::optional<QString> addRoot(const QString& typedName);
    // A major under a root or a minor under a major, with its default name
    // for the user to change; its code, or nothing.
    std::optional<QString> addChild(const QString& parentCode);
    // An empty or unchanged name changes nothing, as the tree's editor then
    // keeps the old name; false only after a message.
    bool renameItem(const QString& code, const QString& typedName);
    // Exchanges the places of two siblings, as the user sees them side by
    // side; false after a message.
    bool exchangeItems(const QString& code, const QString& siblingCode);
    // Asks, then sends an item without live children to the recycle bin,
    // with the materials filed under it. False when it failed, was cancelled
    // or could not start; through a runner, true means the write has started.
    bool recycleItem(const QString& code);
    // Brings one row of the recycle bin back to live.
    bool restore(const RecycleRow& row);

    void cutItem(const QString& code);
    void cutMaterialsOf(const QString& code);
    QString cutItemCode() const { return m_cutItem; }
    QString cutMaterialsCode() const { return m_cutMaterials; }
    // Nothing cut before survives a base shown anew.
    void forgetCuts();
    // An item cleared for good: forgets a cut naming it or what was below it.
    void forgetCleared(const QString& code);
    // Pastes what was cut under the target: a major under a root, a minor
    // under a major, the cut materials or the one cut material into a minor.
    // Like recycleItem, true through a runner means the write has started.
    bool paste(const QString& targetCode);

Q_SIGNALS:
    void itemAdded(const QString& code, const QString& name);
    void itemRenamed(const QString& code, const QString& name);
    // The two siblings traded places.
    void itemsExchanged(const QString& code, const QString& otherCode);
    void itemRecycled(const RecycleRow& row);
    void itemRestored(const QString& code);
    void materialRestored(const MaterialRecord& material);
    // A pasted item took a new code, and everything below it with it.
    void itemRecoded(const QString& oldCode, const QString& newCode);
    // Every material of one minor now belongs to another.
    void materialsOfItemMoved(const QString& fromCode, const QString& toCode);
    // One material moved from one minor to another.
    void materialMoved(const MaterialRecord& material, const QString& fromCode);

private:
    bool pasteItem(const QString& targetCode);
    bool pasteMaterials(const QString& targetCode);
    bool pasteOneMaterial(const QString& targetCode);
    QString itemText(const QString& code) const;
    void failed(const QString& text, const QString& caption = QStringLiteral("错误"));
    bool write(StoreWriteRunner::Write work, StoreWriteRunner::Then then);

    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    MaterialClipboard& m_materialClipboard;
    StoreWriteRunner* m_writeRunner = nullptr;
    QString m_cutItem;      // code of the cut major or minor
    QString m_cutMaterials; // code of the minor whose materials were cut
};
