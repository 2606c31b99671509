#pragma once

// The prompter of a benchmark: nobody sits at one, so every message goes to
// stderr and gets the one answer given.

#include "Prompter.h"

#include <cstdio>
#include <optional>

class PrintingPrompter : public Prompter {
public:
    explicit PrintingPrompter(Answer answer = Answer::Ok) : m_answer(answer) {}

    Answer message(const QString& text, const QString& caption, Icon, Buttons) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return m_answer;
    }
    std::optional<QString> askText(const QString&, const QString&) override { return {}; }

private:
    Answer m_answer;
};
