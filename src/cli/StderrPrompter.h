#pragma once

#include "Prompter.h"

// The command line's stand-in for message boxes: messages go to stderr as
// "caption: text"; questions are answered yes (OK) unless --no was given.
class StderrPrompter : public Prompter {
public:
    explicit StderrPrompter(bool answerNo) : m_answerNo(answerNo) {}

    Answer message(const QString& text, const QString& caption, Icon icon,
                   Buttons buttons) override;
    std::optional<QString> askText(const QString& title, const QString& initial) override;

    // The answer to the next text question, taken from the command's
    // arguments (the name of a new root, for example).
    void answerTextWith(const QString& text) { m_nextText = text; }

    int messagesShown() const { return m_messagesShown; }

private:
    bool m_answerNo;
    std::optional<QString> m_nextText;
    int m_messagesShown = 0;
};
