#pragma once

#include "Prompter.h"

// For work off the window's thread, which must never open a dialog: the
// statements it runs still want a prompter, and the result they return says
// what went wrong.
class SilentPrompter : public Prompter {
public:
    Answer message(const QString&, const QString&, Icon, Buttons) override { return Answer::Ok; }
    std::optional<QString> askText(const QString&, const QString&) override { return {}; }
};
