#include "DescriptTypeSelector.h"

DescriptTypeSelector::DescriptTypeSelector(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("descriptTypeSelector"));
    setPlaceholderText(QStringLiteral("描述文件类型"));
    setMinimumContentsLength(10);
    setToolTip(QStringLiteral("新建资料的描述文件类型"));
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (itemText(index) == AddTypeEntry)
            Q_EMIT addTypeRequested();
        else
            Q_EMIT typeChosen(itemText(index));
    });
}

void DescriptTypeSelector::fill(const QStringList& items, const QString& preferred) {
    clear();
    addItems(items);
    clearChoice();
    QStringList offered = items;
    offered.removeAll(QStringLiteral("NULL"));
    offered.removeAll(AddTypeEntry);
    if (offered.isEmpty())
        return;
    setCurrentIndex(findText(offered.contains(preferred) ? preferred : offered.first()));
}
