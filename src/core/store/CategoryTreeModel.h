#pragma once

#include "ItemRecord.h"
#include "RecycleRow.h"

#include <QAbstractItemModel>
#include <memory>
#include <vector>

class TreeService;

// The open base's category tree: roots, their majors and the majors' minors,
// each shown as "name(code)". A view of the tree service: it reads through
// it and changes only on what it announces, so the window, keepsake-cli and
// anything else that changes the tree through the service are shown alike.
class CategoryTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role { CodeRole = Qt::UserRole + 1, LevelRole, NameRole };

    explicit CategoryTreeModel(TreeService& service, QObject* parent = nullptr);
    ~CategoryTreeModel() override;

    // Loads all three levels of the open base; nothing cut before survives.
    void fill();
    void clear();

    QModelIndex indexOf(const QString& code) const;
    static QString codeOf(const QModelIndex& index);

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

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
    void loadSubtree(Node* node, int depth);
    void insertNode(Node* parent, std::unique_ptr<Node> node, int row);
    void removeNode(Node* node);
    void removeChildren(Node* node);

    // What the service announces.
    void addNode(const QString& code, const QString& name);
    void renameNode(const QString& code, const QString& name);
    void exchangeNodes(const QString& code, const QString& otherCode);
    void removeRecycled(const RecycleRow& row);
    void insertRestored(const QString& code);
    void placeMovedItem(const QString& oldCode, const QString& newCode);

    TreeService& m_service;
    Node m_root;
};
