#include "StderrPrompter.h"

#include <cstdio>

Prompter::Answer StderrPrompter::message(const QString& text, const QString& caption, Icon,
                                         Buttons buttons) {
    ++m_messagesShown;
    std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return m_answerNo ? Answer::Cancel : Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        break;
    }
    return m_answerNo ? Answer::No : Answer::Yes;
}

std::optional<QString> StderrPrompter::askText(const QString&, const QString& initial) {
    if (m_nextText) {
        const QString text = *m_nextText;
        m_nextText.reset();
        return text;
    }
    // Nobody can type an answer to a script; the proposed text stands.
    if (m_answerNo)
        return std::nullopt;
    return initial;
}
