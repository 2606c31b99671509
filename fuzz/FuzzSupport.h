#pragma once

#include "Prompter.h"

#include <QByteArrayView>
#include <QDebug>
#include <QString>

// What the fuzzers share. Readers that only take a path get their input
// through a scratch folder made once per process, since a folder per input
// would cost more than most inputs take to read. A fuzzer checks what it
// reads as well as whether it crashes: a broken expectation aborts, which
// libFuzzer records as a crash with its input.
namespace Fuzz {

// A path inside the scratch folder, which is removed when the process ends.
QString scratchPath(const QString& name);

// Replaces the named scratch file with the bytes; its path.
QString writeScratch(const QString& name, QByteArrayView bytes);

QByteArray readScratch(const QString& name);

[[noreturn]] void fail(const char* expectation, const char* file, int line,
                       const QString& details = {});

// Both sides are printed when they differ, which is most of what it takes
// to see why an input failed.
template <typename Actual, typename Expected>
void expectEqual(const Actual& actual, const Expected& expected, const char* expectation,
                 const char* file, int line) {
    if (actual == expected)
        return;
    QString details;
    QDebug(&details).nospace() << "actual:   " << actual << "\nexpected: " << expected;
    fail(expectation, file, line, details);
}

// Answers every message with its first button and cancels every question,
// as a user who clicks "OK" would; counts the messages.
class SilentPrompter : public Prompter {
public:
    Answer message(const QString& text, const QString& caption, Icon icon,
                   Buttons buttons) override;
    std::optional<QString> askText(const QString& title, const QString& initial) override;

    int messages = 0;
};

} // namespace Fuzz

#define FUZZ_EXPECT(condition) ((condition) ? void() : Fuzz::fail(#condition, __FILE__, __LINE__))
#define FUZZ_EXPECT_EQUAL(actual, expected)                                                        \
    Fuzz::expectEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
