#pragma once

#include "Prompter.h"

#include <cstdio>

// A tool has no windows: messages go to stderr as "caption: text" and every
// question is declined.
class ToolPrompter : public Prompter {
public:
    Answer message(const QString& text, const QString& caption, Icon, Buttons buttons) override {
        std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
        return buttons == Buttons::Ok         ? Answer::Ok
               : buttons == Buttons::OkCancel ? Answer::Cancel
                                              : Answer::No;
    }
    std::optional<QString> askText(const QString&, const QString&) override { return std::nullopt; }
};
