#include "CategoryTreeDelegate.h"

#include "commands/Icons.h"
#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"

#include <QLineEdit>

QWidget* CategoryTreeDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setMaxLength(kMaxNameLength);
    return editor;
}

void CategoryTreeDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const int level = index.data(CategoryTreeModel::LevelRole).toInt();
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->icon = Icons::forLevel(level);
    if (level == int(CategoryCode::Level::Root))
        option->font.setBold(true);
}
