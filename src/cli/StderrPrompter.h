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

private:
    bool m_answerNo;
};
