#include "DescriptTypeSelector.h"

DescriptTypeSelector::DescriptTypeSelector(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("descriptTypeSelector"));
    setPlaceholderText(QStringLiteral("描述文件类型"));
    setMinimumContentsLength(10);
    setToolTip(QStringLiteral("新建资料的描述文件类型"));
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (itemText(index) == AddTypeEntry)
            Q_EMIT addTypeRequested();
    });
}

void DescriptTypeSelector::fill(const QStringList& items) {
    clear();
    addItems(items);
    clearChoice();
}
