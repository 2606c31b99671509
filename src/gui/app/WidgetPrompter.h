#pragma once

#include "Prompter.h"

class QWidget;

// Shows the program's messages as message boxes and its one-line questions as
// input dialogs, parented to the main window so they stay on top of it.
class WidgetPrompter : public Prompter {
public:
    explicit WidgetPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer message(const QString& text, const QString& caption, Icon icon,
                   Buttons buttons) override;
    std::optional<QString> askText(const QString& title, const QString& initial) override;
    std::optional<ChoiceAnswer> choose(const QString& text, const QString& caption,
                                       const QStringList& choices,
                                       const QString& checkBoxText) override;

private:
    QWidget* m_parent;
};
