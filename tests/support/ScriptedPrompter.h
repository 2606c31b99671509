#pragma once

#include "Prompter.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// Records every message as (caption, text) and replays scripted answers, so a
// test can assert the exact Chinese texts the user would see. Unscripted
// messages are answered with the affirmative button; unscripted text
// questions and choices are cancelled.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        QString caption;
        QString text;
    };

    Answer message(const QString& text, const QString& caption, Icon icon,
                   Buttons buttons) override;
    std::optional<QString> askText(const QString& title, const QString& initial) override;
    std::optional<ChoiceAnswer> choose(const QString& text, const QString& caption,
                                       const QStringList& choices,
                                       const QString& checkBoxText) override;

    void answerNext(Answer a) { m_answers.append(a); }
    void typeNext(std::optional<QString> text) { m_texts.append(text); }
    // The next choice picks the answer with this text, ticking the check box
    // when asked to; a text that is not among the choices cancels.
    void chooseNext(const QString& choice, bool checked = false) {
        m_choices.append({choice, checked});
    }
    void cancelNextChoice() { m_choices.append({QString(), false}); }

    QList<Shown> shown;
    QStringList askedTitles;
    // Every choice question asked, also recorded in shown; with its answers
    // and the check box's text, as the user would read them.
    struct Choice {
        QString text;
        QStringList choices;
        QString checkBoxText;
    };
    QList<Choice> asked;

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }

private:
    QList<Answer> m_answers;
    QList<std::optional<QString>> m_texts;
    QList<QPair<QString, bool>> m_choices;
};
