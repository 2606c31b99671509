#include "ScriptedPrompter.h"

Prompter::Answer ScriptedPrompter::message(const QString& text, const QString& caption, Icon,
                                           Buttons buttons) {
    shown.append({caption, text});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

std::optional<QString> ScriptedPrompter::askText(const QString& title, const QString&) {
    askedTitles.append(title);
    if (!m_texts.isEmpty())
        return m_texts.takeFirst();
    return std::nullopt;
}

std::optional<Prompter::ChoiceAnswer> ScriptedPrompter::choose(const QString& text,
                                                               const QString& caption,
                                                               const QStringList& choices,
                                                               const QString& checkBoxText) {
    shown.append({caption, text});
    asked.append({text, choices, checkBoxText});
    if (m_choices.isEmpty())
        return std::nullopt;
    const QPair<QString, bool> next = m_choices.takeFirst();
    const int index = choices.indexOf(next.first);
    if (index < 0)
        return std::nullopt;
    return ChoiceAnswer{index, next.second};
}
