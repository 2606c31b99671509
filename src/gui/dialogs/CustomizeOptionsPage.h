#pragma once

#include "commands/BarOptions.h"

#include <QWidget>

class QCheckBox;

// "选项": how the toolbars look, shown on a copy of the options that the
// sheet hands back only when accepted.
class CustomizeOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit CustomizeOptionsPage(const BarOptions& options, QWidget* parent = nullptr);

    BarOptions options() const;

    QCheckBox* toolTipsCheck() const { return m_toolTips; }
    QCheckBox* keysInToolTipsCheck() const { return m_keysInToolTips; }
    QCheckBox* largeIconsCheck() const { return m_largeIcons; }
    QCheckBox* textUnderIconsCheck() const { return m_textUnderIcons; }

private:
    QCheckBox* m_toolTips;
    QCheckBox* m_keysInToolTips;
    QCheckBox* m_largeIcons;
    QCheckBox* m_textUnderIcons;
};
