#include "CliCommands.h"
#include "CliContext.h"

#include "web/UrlGroups.h"

namespace {

void printEntries(CliContext& context, const QList<UrlRecord>& entries) {
    for (const UrlRecord& e : entries)
        context.row({e.ID, e.Title, e.Address, e.TimeAdded, e.GroupID});
}

// A group no group is named after would list nothing, which a script could
// not tell from an empty group.
bool groupKnown(CliContext& context, const UrlGroups& urls, const QString& name) {
    if (UrlGroups::isRealGroup(name) && !urls.groupChoices().contains(name)) {
        context.prompter().error(QStringLiteral("无法获取网页地址组!"));
        return false;
    }
    return true;
}

} // namespace

int cliUrls(CliContext& context, const QStringList& args) {
    QStringList rest = args;
    QString group;
    const int groupAt = rest.indexOf(QStringLiteral("--group"));
    if (groupAt >= 0) {
        if (groupAt + 1 >= rest.size())
            return 2;
        group = rest.takeAt(groupAt + 1);
        rest.removeAt(groupAt);
    }
    const bool add = rest.size() == 3 && rest[0] == QLatin1String("add");
    if (!rest.isEmpty() && !add)
        return 2;

    UrlGroups urls(context.workspace().paths().urlConfigFile(), context.prompter());
    urls.load();
    if (!groupKnown(context, urls, group))
        return 1;
    if (add && urls.addEntry(group, rest[1], rest[2]) != UrlGroups::EditResult::Saved)
        return 1;
    printEntries(context, urls.entriesShown(group));
    return 0;
}
