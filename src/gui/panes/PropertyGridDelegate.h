#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

// Edits only the value column of rows that allow it, and knows the editor
// that is open, so a command can take its text before acting.
class PropertyGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int ValueColumn = 1;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    QWidget* openEditor() const { return m_editor; }
    // Stores the open editor's text and closes it.
    void commitOpenEditor();

private:
    mutable QPointer<QWidget> m_editor;
};
