#include "CliCommands.h"
#include "CliContext.h"

#include "bases/CategoryTreeFile.h"
#include "workspace/KnowledgeBaseCreator.h"

int cliCreateBase(CliContext& context, const QStringList& args) {
    QStringList positional;
    QString treeFile;
    bool fromFile = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--from")) {
            if (fromFile || i + 1 >= args.size())
                return 2;
            fromFile = true;
            treeFile = args[++i];
        } else {
            positional.append(args[i]);
        }
    }
    if (positional.size() != 2)
        return 2;

    KnowledgeBaseCreator creator(context.workspace());
    const std::optional<int> id =
        fromFile ? creator.CreateBaseFromFile(treeFile, positional[0], positional[1])
                 : creator.CreateBlankBase(positional[0], positional[1]);
    if (!id)
        return 1;
    context.line(QString::number(*id));
    return 0;
}

int cliExportTree(CliContext& context, const QStringList& args) {
    if (args.size() != 1)
        return 2;
    if (!context.openBase())
        return 1;
    return CategoryTreeFile::ExportTree(context.workspace().store(),
                                        context.workspace().currentBase(), context.prompter(),
                                        args[0])
               ? 0
               : 1;
}
