#include "CustomizeOptionsPage.h"

#include <QCheckBox>
#include <QVBoxLayout>

CustomizeOptionsPage::CustomizeOptionsPage(const BarOptions& options, QWidget* parent)
    : QWidget(parent), m_toolTips(new QCheckBox(QStringLiteral("在工具栏上显示屏幕提示"), this)),
      m_keysInToolTips(new QCheckBox(QStringLiteral("在屏幕提示中显示快捷键"), this)),
      m_largeIcons(new QCheckBox(QStringLiteral("大图标"), this)),
      m_textUnderIcons(new QCheckBox(QStringLiteral("在图标下显示文字"), this)) {
    m_toolTips->setChecked(options.showToolTips);
    m_keysInToolTips->setChecked(options.shortcutsInToolTips);
    m_keysInToolTips->setEnabled(options.showToolTips);
    m_largeIcons->setChecked(options.largeIcons);
    m_textUnderIcons->setChecked(options.showTextUnderIcons);
    // The keys are part of the tips: without tips there is nothing to add them to.
    connect(m_toolTips, &QCheckBox::toggled, m_keysInToolTips, &QCheckBox::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_toolTips);
    auto* indented = new QVBoxLayout;
    indented->setContentsMargins(20, 0, 0, 0);
    indented->addWidget(m_keysInToolTips);
    layout->addLayout(indented);
    layout->addWidget(m_largeIcons);
    layout->addWidget(m_textUnderIcons);
    layout->addStretch();
}

BarOptions CustomizeOptionsPage::options() const {
    BarOptions options;
    options.showToolTips = m_toolTips->isChecked();
    options.shortcutsInToolTips = m_keysInToolTips->isChecked();
    options.largeIcons = m_largeIcons->isChecked();
    options.showTextUnderIcons = m_textUnderIcons->isChecked();
    return options;
}
