#include "CliCommands.h"
#include "CliContext.h"

int cliBases(CliContext& context, const QStringList&) {
    for (const LocalResourceRecord& base : context.workspace().config().LocalResources)
        context.row({QString::number(base.ID), base.ResourceName, base.IniPath,
                     base.ResourceFilePath, base.CreateTime});
    return 0;
}
