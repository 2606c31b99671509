#include "PropertyGridDelegate.h"

QWidget* PropertyGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    if (index.column() != ValueColumn || !(index.flags() & Qt::ItemIsEditable))
        return nullptr;
    m_editor = QStyledItemDelegate::createEditor(parent, option, index);
    return m_editor;
}

void PropertyGridDelegate::commitOpenEditor() {
    if (QWidget* editor = m_editor) {
        Q_EMIT commitData(editor);
        Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}
