#pragma once

#include <QComboBox>

// The toolbar's drop-down of the description-file types the open base
// offers, ending with "NULL" and the entry that adds a type.
class DescriptTypeSelector : public QComboBox {
    Q_OBJECT
public:
    static inline const QString AddTypeEntry = QStringLiteral("添加类型");

    explicit DescriptTypeSelector(QWidget* parent = nullptr);

    void fill(const QStringList& items);
    // Shows no choice, as after a type was added.
    void clearChoice() { setCurrentIndex(-1); }

Q_SIGNALS:
    void addTypeRequested();
};
