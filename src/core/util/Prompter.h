#pragma once

#include <QString>
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

    // Shorthands for the three captions the program uses.
    void error(const QString& text) { message(text, QStringLiteral("错误"), Icon::Warning); }
    void notice(const QString& text) { message(text, QStringLiteral("提示"), Icon::Warning); }
};
