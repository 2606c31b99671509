#pragma once

#include <QComboBox>

// The toolbar's drop-down of the description-file types the open base
// offers, ending with "NULL" and the entry that adds a type.
class DescriptTypeSelector : public QComboBox {
    Q_OBJECT
public:
    static inline const QString AddTypeEntry = QStringLiteral("添加类型");

    explicit DescriptTypeSelector(QWidget* parent = nullptr);

    // Shows the items and chooses `preferred` when the base offers it, else
    // the first type the base offers, so that a new material can be made at
    // once; no choice when the base offers none.
    void fill(const QStringList& items, const QString& preferred = {});
    // Shows no choice, as after a type was added.
    void clearChoice() { setCurrentIndex(-1); }

Q_SIGNALS:
    void addTypeRequested();
    // The user chose a type from the list.
    void typeChosen(const QString& type);
};
