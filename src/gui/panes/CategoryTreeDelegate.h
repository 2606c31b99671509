#pragma once

#include <QStyledItemDelegate>

// Draws the tree's levels apart (roots bold, an icon per level) and edits
// only the name part of a node, at most 80 characters.
class CategoryTreeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int kMaxNameLength = 80;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
