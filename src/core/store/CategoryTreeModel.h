#pragma once

#include "ItemRecord.h"
#include "MaterialRecord.h"
#include "RecycleRow.h"
#include "StoreWriteRunner.h"

#include <QAbstractItemModel>
#include <memory>
#include <vector>

class KnowledgeStore;
class MaterialClipboard;
class Prompter;
struct CurrentKnowledgeBase;

// The open base's category tree: roots, their majors and the majors' minors,
// each shown as "name(code)". The commands that change the tree live here so
// that the pane only shows and forwards; each goes through the store, and a
// change that takes several statements is all or nothing.
class CategoryTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role { CodeRole = Qt::UserRole + 1, LevelRole, NameRole };

    CategoryTreeModel(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                      MaterialClipboard& materialClipboard, QObject* parent = nullptr);
    ~CategoryTreeModel() override;

    // Moving and deleting items then write through the runner; the tree
    // changes once the write has ended. Without one they write at once.
    void setWriteRunner(StoreWriteRunner* runner) { m_writeRunner = runner; }

    // Loads all three levels of the open base, repairing duplicate codes.
    void fill();
    void clear();

    QModelIndex indexOf(const QString& code) const;
    static QString codeOf(const QModelIndex& index);

    // Asks for a name and adds a root; the new node, or invalid.
    QModelIndex addRoot();
    // A major under a root or a minor under a major, with its default name,
    // for the user to name at once; invalid when nothing was added.
    QModelIndex addChild(const QModelIndex& parent);
    // Sends the item and everything under it to the recycle bin. This and
    // paste return false when they failed or could not start; through a
    // runner, true means the write has started.
    bool removeToRecycleBin(const QModelIndex& index);
    // Exchange with the previous / next sibling. The node at the given
    // position then shows the other item.
    bool moveUp(const QModelIndex& index);
    bool moveDown(const QModelIndex& index);
    void cut(const QModelIndex& index);
    void cutMaterials(const QModelIndex& index);
    bool paste(const QModelIndex& target);
    QString cutItemCode() const { return m_cutItem; }
    QString cutMaterialsCode() const { return m_cutMaterials; }

    // Shows an item the recycle bin restored, with its live subtree, when its
    // parent is in the tree.
    void insertRestored(const QString& code);
    // The item was cleared for good; forgets a clipboard naming it.
    void forgetCleared(const QString& code);

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    void itemRenamed(const QString& code);
    void itemRecycled(const RecycleRow& row);
    // A pasted item took a new code, and everything below it with it.
    void itemRecoded(const QString& oldCode, const QString& newCode);
    // Every material of one minor now belongs to another.
    void materialsOfItemMoved(const QString& fromCode, const QString& toCode);
    // One material moved from one minor to another.
    void materialMoved(const MaterialRecord& material, const QString& fromCode);

private:
    struct Node {
        QString code;
        QString name;
        qint32 preference = 0;
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
        int row() const;
    };

    Node* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOfNode(const Node* node) const;
    Node* findNode(const QString& code) const;
    QString nodeText(const Node* node) const;
    bool loadChildren(const QString& parentCode, QList<ItemRecord>& items);
    void loadSubtree(Node* node, int depth);
    void insertNode(Node* parent, std::unique_ptr<Node> node, int row);
    void removeNode(Node* node);
    void removeChildren(Node* node);
    bool exchange(const QModelIndex& index, int offset);
    bool pasteItem(Node* target);
    // Shows an item whose paste has been written under its new parent.
    void placeMovedItem(const QString& oldCode, const QString& newCode, const QString& targetCode);
    bool pasteMaterials(Node* target);
    bool pasteOneMaterial(Node* target);
    void failed(const QString& text, const QString& caption = QStringLiteral("错误"));
    bool write(StoreWriteRunner::Write work, StoreWriteRunner::Then then);

    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    MaterialClipboard& m_materialClipboard;
    StoreWriteRunner* m_writeRunner = nullptr;
    Node m_root;
    QString m_cutItem;      // code of the cut major or minor
    QString m_cutMaterials; // code of the minor whose materials were cut
};
