#include "CategoryTreeModel.h"

#include "CategoryCode.h"
#include "CurrentKnowledgeBase.h"
#include "KnowledgeStore.h"
#include "MaterialClipboard.h"
#include "Prompter.h"
#include "TimeText.h"
#include "db/Transaction.h"

#include <QPointer>
#include <QSet>
#include <algorithm>

using CategoryCode::Level;

namespace {

const QString kNotice = QStringLiteral("提示");

// The part of a code that everything under the item shares.
QString prefixOf(const QString& code) {
    switch (CategoryCode::LevelOf(code)) {
    case Level::Root:
        return code.left(2);
    case Level::Major:
        return code.left(4);
    default:
        return code;
    }
}

// How many levels of the tree lie below an item of this code.
int levelsBelow(const QString& code) {
    return std::max(0, int(Level::Minor) - int(CategoryCode::LevelOf(code)));
}

} // namespace

int CategoryTreeModel::Node::row() const {
    if (!parent)
        return 0;
    const auto& siblings = parent->children;
    for (size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i].get() == this)
            return int(i);
    }
    return 0;
}

CategoryTreeModel::CategoryTreeModel(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                                     Prompter& prompter, MaterialClipboard& materialClipboard,
                                     QObject* parent)
    : QAbstractItemModel(parent), m_store(store), m_base(base), m_prompter(prompter),
      m_materialClipboard(materialClipboard) {
    m_root.code = CategoryCode::kWholeBase;
}

CategoryTreeModel::~CategoryTreeModel() = default;

void CategoryTreeModel::failed(const QString& text, const QString& caption) {
    m_prompter.message(text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

bool CategoryTreeModel::write(StoreWriteRunner::Write work, StoreWriteRunner::Then then) {
    if (!m_writeRunner) {
        const bool written = work(m_store);
        then(written);
        return written;
    }
    QPointer<CategoryTreeModel> self(this);
    const int baseId = m_base.ID;
    return m_writeRunner->run(std::move(work), [self, baseId, then](bool written) {
        if (!self)
            return;
        // The tree may show another base by now: only a failure is still
        // worth telling.
        if (self->m_base.ID != baseId) {
            if (!written)
                then(false);
            return;
        }
        // The worker's store kept the names it wrote to itself.
        QList<ItemRecord> all;
        self->m_store.LoadAllItems(all);
        then(written);
    });
}

// Filling

bool CategoryTreeModel::loadChildren(const QString& parentCode, QList<ItemRecord>& items) {
    if (!m_store.LoadChildItems(parentCode, items))
        return false;
    // A code stored twice shows once; the later rows go, the first one stays.
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
    return true;
}

void CategoryTreeModel::loadSubtree(Node* node, int depth) {
    if (depth <= 0)
        return;
    QList<ItemRecord> items;
    loadChildren(node->code, items);
    for (const ItemRecord& item : items) {
        auto child = std::make_unique<Node>();
        child->code = item.ItemID;
        child->name = item.ItemName;
        child->preference = item.Preference;
        child->parent = node;
        loadSubtree(child.get(), depth - 1);
        node->children.push_back(std::move(child));
    }
}

void CategoryTreeModel::fill() {
    beginResetModel();
    m_root.children.clear();
    m_cutItem.clear();
    m_cutMaterials.clear();
    QList<ItemRecord> all;
    m_store.LoadAllItems(all);
    loadSubtree(&m_root, 3);
    endResetModel();
}

void CategoryTreeModel::clear() {
    beginResetModel();
    m_root.children.clear();
    m_cutItem.clear();
    m_cutMaterials.clear();
    endResetModel();
}

// Navigation

CategoryTreeModel::Node* CategoryTreeModel::nodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Node*>(index.internalPointer())
                           : const_cast<Node*>(&m_root);
}

QModelIndex CategoryTreeModel::indexOfNode(const Node* node) const {
    if (!node || node == &m_root)
        return {};
    return createIndex(node->row(), 0, const_cast<Node*>(node));
}

CategoryTreeModel::Node* CategoryTreeModel::findNode(const QString& code) const {
    // Three levels, each found by its prefix: no full walk of the tree.
    const Node* node = &m_root;
    for (int depth = 1; depth <= 3; ++depth) {
        const Node* next = nullptr;
        for (const auto& child : node->children) {
            if (child->code == code)
                return child.get();
            if (code.startsWith(prefixOf(child->code)) && !next)
                next = child.get();
        }
        if (!next)
            return nullptr;
        node = next;
    }
    return nullptr;
}

QModelIndex CategoryTreeModel::indexOf(const QString& code) const {
    return indexOfNode(findNode(code));
}

QString CategoryTreeModel::codeOf(const QModelIndex& index) {
    return index.data(CodeRole).toString();
}

QString CategoryTreeModel::nodeText(const Node* node) const {
    return node->name + QLatin1Char('(') + node->code + QLatin1Char(')');
}

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const Node* p = nodeOf(parent);
    if (column != 0 || row < 0 || row >= int(p->children.size()))
        return {};
    return createIndex(row, 0, p->children[size_t(row)].get());
}

QModelIndex CategoryTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid())
        return {};
    return indexOfNode(nodeOf(child)->parent);
}

int CategoryTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    return int(nodeOf(parent)->children.size());
}

int CategoryTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant CategoryTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Node* node = nodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return nodeText(node);
    case Qt::EditRole:
    case NameRole:
        return node->name;
    case CodeRole:
        return node->code;
    case LevelRole:
        return int(CategoryCode::LevelOf(node->code));
    default:
        return {};
    }
}

Qt::ItemFlags CategoryTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void CategoryTreeModel::insertNode(Node* parent, std::unique_ptr<Node> node, int row) {
    node->parent = parent;
    beginInsertRows(indexOfNode(parent), row, row);
    parent->children.insert(parent->children.begin() + row, std::move(node));
    endInsertRows();
}

void CategoryTreeModel::removeNode(Node* node) {
    Node* parent = node->parent;
    const int row = node->row();
    beginRemoveRows(indexOfNode(parent), row, row);
    parent->children.erase(parent->children.begin() + row);
    endRemoveRows();
}

void CategoryTreeModel::removeChildren(Node* node) {
    if (node->children.empty())
        return;
    beginRemoveRows(indexOfNode(node), 0, int(node->children.size()) - 1);
    node->children.clear();
    endRemoveRows();
}

// Adding and renaming

QModelIndex CategoryTreeModel::addRoot() {
    const std::optional<QString> typed = m_prompter.askText(QStringLiteral("添加知识库根项"));
    if (!typed)
        return {};
    const QString name = typed->trimmed();
    if (name.isEmpty()) {
        failed(QStringLiteral("知识库项名不能为空!"), kNotice);
        return {};
    }
    QString code;
    if (!m_store.InsertChildItem(CategoryCode::kWholeBase, name, code)) {
        failed(QStringLiteral("添加知识库根项失败!"), kNotice);
        return {};
    }
    auto node = std::make_unique<Node>();
    node->code = code;
    node->name = name;
    Node* added = node.get();
    insertNode(&m_root, std::move(node), int(m_root.children.size()));
    return indexOfNode(added);
}

QModelIndex CategoryTreeModel::addChild(const QModelIndex& parentIndex) {
    if (!parentIndex.isValid())
        return {};
    Node* parent = nodeOf(parentIndex);
    const Level level = CategoryCode::LevelOf(parent->code);
    if (level != Level::Root && level != Level::Major)
        return {};
    const bool major = level == Level::Root;
    const QString name = major ? QStringLiteral("新建资料大项!") : QStringLiteral("新建资料小项!");
    const QString failure =
        major ? QStringLiteral("添加知识库大项失败!") : QStringLiteral("添加知识库小项失败!");
    QString code;
    if (!m_store.InsertChildItem(parent->code, name, code)) {
        failed(failure);
        return {};
    }
    auto node = std::make_unique<Node>();
    node->code = code;
    node->name = name;
    Node* added = node.get();
    insertNode(parent, std::move(node), int(parent->children.size()));
    return indexOfNode(added);
}

bool CategoryTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    Node* node = nodeOf(index);
    const QString name = value.toString().trimmed();
    if (name.isEmpty() || name == node->name)
        return false;
    if (!m_store.RenameItem(node->code, name)) {
        failed(QStringLiteral("重命名知识库项 '%1' 失败!").arg(nodeText(node)));
        return false;
    }
    node->name = name;
    Q_EMIT dataChanged(index, index);
    Q_EMIT itemRenamed(node->code);
    return true;
}

// Deleting

bool CategoryTreeModel::removeToRecycleBin(const QModelIndex& index) {
    if (!index.isValid())
        return false;
    Node* node = nodeOf(index);
    if (!node->children.empty()) {
        failed(QStringLiteral("不能对存在子项的知识库项 '%1' 进行删除!").arg(nodeText(node)));
        return false;
    }
    const QString path = m_store.ItemNames().DisplayPath(m_base.Name, node->code);
    if (m_prompter.message(QStringLiteral("确定要删除该知识库项吗?"), QStringLiteral("警告"),
                           Prompter::Icon::Question,
                           Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return false;

    QString createTime;
    m_store.GetItemCreateTime(node->code, createTime);
    const QString deleteTime = TimeText::now();
    const QString code = node->code;
    const QString name = node->name;
    const QString shown = nodeText(node);
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
            const RecycleRow row{name,      RecycleKindOf(code, false), path, deleteTime, {}, code,
                                 createTime};
            forgetCleared(code);
            if (Node* gone = findNode(code))
                removeNode(gone);
            Q_EMIT itemRecycled(row);
        });
}

// Moving among siblings

bool CategoryTreeModel::exchange(const QModelIndex& index, int offset) {
    if (!index.isValid())
        return false;
    Node* a = nodeOf(index);
    Node* parent = a->parent;
    const int otherRow = a->row() + offset;
    if (otherRow < 0 || otherRow >= int(parent->children.size()))
        return false;
    Node* b = parent->children[size_t(otherRow)].get();

    int pa = 0, pb = 0;
    Transaction transaction(m_store.database());
    if (!transaction.IsActive() || !m_store.GetItemPreference(a->code, pa) ||
        !m_store.GetItemPreference(b->code, pb) || !m_store.SetItemPreference(a->code, pb) ||
        !m_store.SetItemPreference(b->code, pa) || !transaction.Commit()) {
        failed(QStringLiteral("移动知识库项 '%1' 失败!").arg(nodeText(a)));
        return false;
    }
    // The positions keep their places (and the selection with them); the
    // items trade places by trading what the two nodes show.
    removeChildren(a);
    removeChildren(b);
    std::swap(a->code, b->code);
    std::swap(a->name, b->name); // each position keeps its Preference, now the other item's
    const QModelIndex ia = indexOfNode(a), ib = indexOfNode(b);
    Q_EMIT dataChanged(ia, ia);
    Q_EMIT dataChanged(ib, ib);
    const int depth = levelsBelow(a->code);
    for (Node* n : {a, b}) {
        auto fresh = std::make_unique<Node>();
        fresh->code = n->code;
        loadSubtree(fresh.get(), depth);
        if (fresh->children.empty())
            continue;
        beginInsertRows(indexOfNode(n), 0, int(fresh->children.size()) - 1);
        for (auto& child : fresh->children) {
            child->parent = n;
            n->children.push_back(std::move(child));
        }
        endInsertRows();
    }
    return true;
}

bool CategoryTreeModel::moveUp(const QModelIndex& index) {
    return exchange(index, -1);
}
bool CategoryTreeModel::moveDown(const QModelIndex& index) {
    return exchange(index, +1);
}

// The recycle bin's side

void CategoryTreeModel::insertRestored(const QString& code) {
    if (findNode(code))
        return;
    Node* parent = nullptr;
    switch (CategoryCode::LevelOf(code)) {
    case Level::Root:
        parent = &m_root;
        break;
    case Level::Major:
        parent = findNode(code.left(2) + QStringLiteral("0000"));
        break;
    case Level::Minor:
        parent = findNode(code.left(4) + QStringLiteral("00"));
        break;
    default:
        return;
    }
    ItemRecord record;
    if (!parent || !m_store.LoadItem(code, record))
        return;
    auto node = std::make_unique<Node>();
    node->code = code;
    node->name = record.ItemName;
    node->preference = record.Preference;
    loadSubtree(node.get(), levelsBelow(code));
    // Back in its place among the siblings, as the next fill would show it.
    const auto before = [&](const std::unique_ptr<Node>& n) {
        return std::pair(n->preference, n->code) < std::pair(record.Preference, code);
    };
    const int row = int(std::count_if(parent->children.begin(), parent->children.end(), before));
    insertNode(parent, std::move(node), row);
}

void CategoryTreeModel::forgetCleared(const QString& code) {
    const QString prefix = prefixOf(code);
    if (m_cutItem.startsWith(prefix))
        m_cutItem.clear();
    if (m_cutMaterials.startsWith(prefix))
        m_cutMaterials.clear();
}
