#include "CliCommands.h"
#include "CliContext.h"

int cliBases(CliContext& context, const QStringList&) {
    for (const LocalResourceRecord& base : context.workspace().config().LocalResources) {
        QStringList fields{QString::number(base.ID), base.ResourceName, base.IniPath,
                           base.ResourceFilePath, base.CreateTime};
        // Still registered, so still listed; a script must see it cannot be
        // used rather than guess from empty fields.
        if (!base.Unavailable.isEmpty())
            fields.append(QStringLiteral("unavailable: ") + base.Unavailable);
        context.row(fields);
    }
    return 0;
}
