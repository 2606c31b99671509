#include "CliContext.h"

#include <cstdio>

CliContext::CliContext(const ProgramPaths& paths, bool answerNo, int baseId)
    : m_prompter(answerNo), m_workspace(paths, m_prompter), m_baseId(baseId), m_out(stdout) {
    m_out.setEncoding(QStringConverter::Utf8);
}

void CliContext::row(const QStringList& fields) { line(fields.join(QLatin1Char('\t'))); }

void CliContext::line(const QString& text) {
    m_out << text << '\n';
    m_out.flush();
}

int cliFail(CliContext& context, const QString& text, const QString& caption) {
    context.prompter().message(text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
    return 1;
}
