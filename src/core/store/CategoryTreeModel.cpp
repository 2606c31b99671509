#include "CategoryTreeModel.h"

#include "CategoryCode.h"
#include "TreeService.h"

#include <algorithm>

using CategoryCode::Level;

namespace {

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

CategoryTreeModel::CategoryTreeModel(TreeService& service, QObject* parent)
    : QAbstractItemModel(parent), m_service(service) {
    m_root.code = CategoryCode::kWholeBase;
    connect(&service, &TreeService::itemAdded, this, &CategoryTreeModel::addNode);
    connect(&service, &TreeService::itemRenamed, this, &CategoryTreeModel::renameNode);
    connect(&service, &TreeService::itemsExchanged, this, &CategoryTreeModel::exchangeNodes);
    connect(&service, &TreeService::itemRecycled, this, &CategoryTreeModel::removeRecycled);
    connect(&service, &TreeService::itemRestored, this, &CategoryTreeModel::insertRestored);
    connect(&service, &TreeService::itemRecoded, this, &CategoryTreeModel::placeMovedItem);
}

CategoryTreeModel::~CategoryTreeModel() = default;

// Filling

void CategoryTreeModel::loadSubtree(Node* node, int depth) {
    if (depth <= 0)
        return;
    for (const ItemRecord& item : m_service.children(node->code)) {
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
    m_service.forgetCuts();
    m_service.reloadNames();
    loadSubtree(&m_root, 3);
    endResetModel();
}

void CategoryTreeModel::clear() {
    beginResetModel();
    m_root.children.clear();
    m_service.forgetCuts();
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
            if (code.startsWith(CategoryCode::SharedPrefix(child->code)) && !next)
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

// Editing a name in the view

bool CategoryTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const Node* node = nodeOf(index);
    const QString name = value.toString().trimmed();
    return name != node->name && m_service.renameItem(node->code, name) && node->name == name;
}

// What the service announces

void CategoryTreeModel::addNode(const QString& code, const QString& name) {
    Node* parent = CategoryCode::IsRoot(code) ? &m_root : findNode(CategoryCode::ParentOf(code));
    if (!parent || findNode(code))
        return;
    auto node = std::make_unique<Node>();
    node->code = code;
    node->name = name;
    insertNode(parent, std::move(node), int(parent->children.size()));
}

void CategoryTreeModel::renameNode(const QString& code, const QString& name) {
    if (Node* node = findNode(code)) {
        node->name = name;
        const QModelIndex index = indexOfNode(node);
        Q_EMIT dataChanged(index, index);
    }
}

void CategoryTreeModel::exchangeNodes(const QString& code, const QString& otherCode) {
    Node* a = findNode(code);
    Node* b = findNode(otherCode);
    if (!a || !b)
        return;
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
}

void CategoryTreeModel::removeRecycled(const RecycleRow& row) {
    if (Node* gone = findNode(row.Code))
        removeNode(gone);
}

void CategoryTreeModel::insertRestored(const QString& code) {
    if (findNode(code))
        return;
    Node* parent = CategoryCode::IsRoot(code) ? &m_root : findNode(CategoryCode::ParentOf(code));
    const std::optional<ItemRecord> record = parent ? m_service.item(code) : std::nullopt;
    if (!record)
        return;
    auto node = std::make_unique<Node>();
    node->code = code;
    node->name = record->ItemName;
    node->preference = record->Preference;
    loadSubtree(node.get(), levelsBelow(code));
    // Back in its place among the siblings, as the next fill would show it.
    const auto before = [&](const std::unique_ptr<Node>& n) {
        return std::pair(n->preference, n->code) < std::pair(record->Preference, code);
    };
    const int row = int(std::count_if(parent->children.begin(), parent->children.end(), before));
    insertNode(parent, std::move(node), row);
}

void CategoryTreeModel::placeMovedItem(const QString& oldCode, const QString& newCode) {
    auto moved = std::make_unique<Node>();
    moved->code = newCode;
    const std::optional<ItemRecord> record = m_service.item(newCode);
    moved->preference = record ? record->Preference : 0;
    if (Node* old = findNode(oldCode)) {
        moved->name = old->name;
        removeNode(old);
    } else {
        moved->name = record ? record->ItemName : QString();
    }
    loadSubtree(moved.get(), levelsBelow(newCode));
    if (Node* target = findNode(CategoryCode::ParentOf(newCode)))
        insertNode(target, std::move(moved), int(target->children.size()));
}
