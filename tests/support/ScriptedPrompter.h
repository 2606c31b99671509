#pragma once

#include "Prompter.h"

#include <QList>
#include <QString>
#include <optional>

// Records every message as (caption, text) and replays scripted answers, so a
// test can assert the exact Chinese texts the user would see. Unscripted
// messages are answered with the affirmative button; unscripted text
// questions are cancelled.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        QString caption;
        QString text;
    };

    Answer message(const QString& text, const QString& caption, Icon icon,
                   Buttons buttons) override;
    std::optional<QString> askText(const QString& title, const QString& initial) override;

    void answerNext(Answer a) { m_answers.append(a); }
    void typeNext(std::optional<QString> text) { m_texts.append(text); }

    QList<Shown> shown;
    QStringList askedTitles;

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }

private:
    QList<Answer> m_answers;
    QList<std::optional<QString>> m_texts;
};
