#include "WidgetPrompter.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Error:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Prompter::Buttons buttons) {
    switch (buttons) {
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

Prompter::Answer WidgetPrompter::message(const QString& text, const QString& caption, Icon icon,
                                         Buttons buttons) {
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), m_parent);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

std::optional<QString> WidgetPrompter::askText(const QString& title, const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, title, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<Prompter::ChoiceAnswer> WidgetPrompter::choose(const QString& text,
                                                             const QString& caption,
                                                             const QStringList& choices,
                                                             const QString& checkBoxText) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons.append(box.addButton(choice, QMessageBox::AcceptRole));
    // Closing the box with Esc or its title bar is a cancel, not the first
    // answer: the asker stops rather than acting on a guess.
    box.setEscapeButton(box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
    if (!checkBoxText.isEmpty())
        box.setCheckBox(new QCheckBox(checkBoxText, &box));
    box.exec();
    const int index = buttons.indexOf(box.clickedButton());
    if (index < 0)
        return std::nullopt;
    return ChoiceAnswer{index, box.checkBox() && box.checkBox()->isChecked()};
}
