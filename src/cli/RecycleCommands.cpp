#include "CliCommands.h"
#include "CliContext.h"

#include "store/RecycleBinModel.h"

namespace {

// The row of `--item CODE` or `--material ID`, or -1 after a message.
int rowOf(CliContext& context, const QStringList& args) {
    RecycleBinModel& bin = context.recycleBin();
    const bool item = args[0] == QLatin1String("--item");
    for (int r = 0; r < bin.rowCount(); ++r) {
        const RecycleRow& row = bin.rowAt(r);
        if (item ? (!row.IsMaterial() && row.Code == args[1]) : row.MaterialId == args[1])
            return r;
    }
    context.prompter().error(QStringLiteral("回收站中没有 '%1'!").arg(args[1]));
    return -1;
}

bool validTarget(const QStringList& args) {
    return args.size() == 2 &&
           (args[0] == QLatin1String("--item") || args[0] == QLatin1String("--material"));
}

} // namespace

int cliRecycle(CliContext& context, const QStringList& args) {
    if (!args.isEmpty())
        return 2;
    if (!context.openBase())
        return 1;
    for (const RecycleRow& row : context.recycleBin().rows())
        context.row({row.Name, row.Kind, row.Path, row.DeleteTime, row.MaterialId, row.Code,
                     row.CreateTime});
    return 0;
}

int cliRestore(CliContext& context, const QStringList& args) {
    if (!validTarget(args))
        return 2;
    if (!context.openBase())
        return 1;
    const int row = rowOf(context, args);
    return row >= 0 && context.recycleBin().restore(row) ? 0 : 1;
}

int cliClear(CliContext& context, const QStringList& args) {
    if (!validTarget(args))
        return 2;
    if (!context.openBase())
        return 1;
    const int row = rowOf(context, args);
    return row >= 0 && context.recycleBin().clearRow(row) ? 0 : 1;
}
