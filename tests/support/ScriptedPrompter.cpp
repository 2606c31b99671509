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
