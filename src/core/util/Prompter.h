#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Every question or message the program puts to the user goes through this
// interface, so that the core can report failures in the user's language
// without knowing about windows, and tests can script the answers and check
// the exact texts.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompter() = default;

    virtual Answer message(const QString& text, const QString& caption, Icon icon = Icon::Warning,
                           Buttons buttons = Buttons::Ok) = 0;

    // A one-line input dialog; nullopt when the user cancels.
    virtual std::optional<QString> askText(const QString& title, const QString& initial = {}) = 0;

    // The answer to a question with buttons of the asker's own: the index of
    // the chosen one in the list given, and whether the check box was ticked.
    struct ChoiceAnswer {
        int index = 0;
        bool checked = false;
    };

    // A question whose answers are named by the asker, with an optional check
    // box under them (none when its text is empty); nullopt when the user
    // closes the question. A prompter that cannot show it (on a worker, in the
    // command line) answers nullopt, so the work that asked stops rather than
    // choosing for the user what happens to a file.
    virtual std::optional<ChoiceAnswer> choose(const QString& text, const QString& caption,
                                               const QStringList& choices,
                                               const QString& checkBoxText = {}) {
        Q_UNUSED(text);
        Q_UNUSED(caption);
        Q_UNUSED(choices);
        Q_UNUSED(checkBoxText);
        return std::nullopt;
    }

    // Shorthands for the three captions the program uses.
    void error(const QString& text) { message(text, QStringLiteral("错误"), Icon::Warning); }
    void notice(const QString& text) { message(text, QStringLiteral("提示"), Icon::Warning); }
};
