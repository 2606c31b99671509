#include "CliCommands.h"
#include "CliContext.h"

#include "TimeText.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

int usage() {
    std::fprintf(stderr, "usage: keepsake-cli [--home DIR] [--base ID] [--no] COMMAND [ARGS...]\n"
                         "commands:\n");
    for (const CliCommand& c : cliCommands())
        std::fprintf(stderr, "  %s %s\n", c.name, c.usage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // A script that compares output across runs (and the transcript test)
    // wants every time the store writes to be the same.
    const QDateTime fixedTime =
        QDateTime::fromString(qEnvironmentVariable("KEEPSAKE_FIXED_TIME"), TimeText::kFormat);
    if (fixedTime.isValid())
        TimeText::setClock([fixedTime] { return fixedTime; });
    QStringList args = app.arguments().mid(1);

    QString home;
    int baseId = -1;
    bool answerNo = false;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--no")) {
            answerNo = true;
        } else if (option == QLatin1String("--home") && !args.isEmpty()) {
            home = args.takeFirst();
        } else if (option == QLatin1String("--base") && !args.isEmpty()) {
            bool ok = false;
            baseId = args.takeFirst().toInt(&ok);
            if (!ok)
                return usage();
        } else {
            return usage();
        }
    }
    // --no may also follow the command, where scripts tend to put it.
    if (args.removeAll(QStringLiteral("--no")) > 0)
        answerNo = true;
    if (args.isEmpty())
        return usage();

    const QString name = args.takeFirst();
    for (const CliCommand& command : cliCommands()) {
        if (name != QLatin1String(command.name))
            continue;
        CliContext context(ProgramPaths::forExecutable(app.applicationDirPath(), home), answerNo,
                           baseId);
        // A script cannot fill in the first-run dialog; it works with the
        // bases the configuration lists, which before the first run is none.
        if (!context.workspace().loadConfiguration([] { return true; }))
            return 1;
        const int code = command.run(context, args);
        return code == 2 ? usage() : code;
    }
    return usage();
}
