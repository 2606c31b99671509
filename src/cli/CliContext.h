#pragma once

#include "StderrPrompter.h"
#include "Workspace.h"

#include <QStringList>
#include <QTextStream>
#include <memory>

// What every command of keepsake-cli works with: the program folder named by
// --home (or $KEEPSAKE_HOME, or the executable's folder), its configuration,
// the base chosen by --base, and the output streams.
class CliContext {
public:
    CliContext(const ProgramPaths& paths, bool answerNo, int baseId);

    Workspace& workspace() { return m_workspace; }
    Prompter& prompter() { return m_prompter; }

    // -1 when --base was not given: the start base of the configuration.
    int requestedBaseId() const { return m_baseId; }

    // One output row, fields separated by tabs.
    void row(const QStringList& fields);
    void line(const QString& text);

private:
    StderrPrompter m_prompter;
    Workspace m_workspace;
    int m_baseId;
    QTextStream m_out;
};

// A failed command: the message in the form the program would show it.
int cliFail(CliContext& context, const QString& text, const QString& caption = QStringLiteral("错误"));
