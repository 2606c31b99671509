#include "CliCommands.h"
#include "CliContext.h"

#include "materials/DescriptionFiles.h"
#include "materials/MaterialLookup.h"
#include "materials/MaterialPanes.h"
#include "store/CategoryTreeModel.h"

#include <optional>

namespace {

// The material of an id given on the command line, or nothing after a message.
std::optional<MaterialRecord> materialOf(CliContext& context, const QString& id) {
    MaterialRecord material;
    Workspace& ws = context.workspace();
    if (!MaterialLookup::Load(ws.store(), ws.currentBase(), id, material) ||
        material.MinuItemID.isEmpty()) {
        context.prompter().error(QStringLiteral("没有找到资料 '%1'!").arg(id));
        return std::nullopt;
    }
    return material;
}

// The commands on one material: open the base, then find the material.
std::optional<MaterialRecord> openMaterial(CliContext& context, const QString& id) {
    if (!context.openBase())
        return std::nullopt;
    return materialOf(context, id);
}

void printDock(CliContext& context) {
    const DockStationModel& dock = context.materials().dock();
    for (int r = 0; r < dock.rowCount(); ++r)
        context.row(dock.entryAt(r).Fields());
}

} // namespace

int cliNewMaterial(CliContext& context, const QStringList& args) {
    QStringList rest = args;
    QString type = QStringLiteral("*.rtf");
    const int typeAt = rest.indexOf(QStringLiteral("--type"));
    if (typeAt >= 0) {
        if (typeAt + 1 >= rest.size())
            return 2;
        type = rest.takeAt(typeAt + 1);
        rest.removeAt(typeAt);
    }
    if (rest.size() != 2)
        return 2;
    if (!context.openBase())
        return 1;
    MaterialService& service = context.materials().service();
    if (!service.creator().CheckTarget(rest[0]))
        return 1;
    const std::optional<MaterialRecord> made = service.create(rest[0], rest[1], type, false);
    if (!made)
        return 1;
    context.line(made->MinuItemID);
    return 0;
}

int cliShowMaterial(CliContext& context, const QStringList& args) {
    if (args.size() != 1)
        return 2;
    const std::optional<MaterialRecord> material = openMaterial(context, args[0]);
    if (!material)
        return 1;
    for (const QString& field : material->Fields())
        context.line(field);
    return 0;
}

int cliMoveMaterial(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return 2;
    const std::optional<MaterialRecord> material = openMaterial(context, args[0]);
    if (!material)
        return 1;
    if (!context.tree().indexOf(args[1]).isValid())
        return cliFail(context, QStringLiteral("没有找到知识库项 '%1'!").arg(args[1]));
    return context.materials().service().move(*material, args[1]) ? 0 : 1;
}

int cliRenameMaterial(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return 2;
    const std::optional<MaterialRecord> material = openMaterial(context, args[0]);
    if (!material)
        return 1;
    using Result = MaterialService::RenameResult;
    const Result result = context.materials().service().rename(*material, args[1]);
    return result == Result::Renamed || result == Result::Unchanged ? 0 : 1;
}

int cliDeleteMaterial(CliContext& context, const QStringList& args) {
    if (args.size() != 1)
        return 2;
    const std::optional<MaterialRecord> material = openMaterial(context, args[0]);
    if (!material)
        return 1;
    return context.materials().service().recycle(*material) ? 0 : 1;
}

int cliAddDescription(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return 2;
    const std::optional<MaterialRecord> material = openMaterial(context, args[0]);
    if (!material)
        return 1;
    if (!DescriptionFiles::CanAdd(*material))
        return cliFail(context, QStringLiteral("该资料已有描述文件!"), QStringLiteral("提示"));
    return context.materials().service().addDescription(*material, args[1]) ? 0 : 1;
}

int cliRemoveDescription(CliContext& context, const QStringList& args) {
    if (args.size() != 1)
        return 2;
    const std::optional<MaterialRecord> material = openMaterial(context, args[0]);
    if (!material)
        return 1;
    if (!DescriptionFiles::CanRemove(*material))
        return cliFail(context, QStringLiteral("该资料没有描述文件!"), QStringLiteral("提示"));
    return context.materials().service().removeDescription(*material) ? 0 : 1;
}

int cliKeywords(CliContext& context, const QStringList& args) {
    if (args.isEmpty() || (args.size() > 1 && args[1] != QLatin1String("--set")))
        return 2;
    const std::optional<MaterialRecord> material = openMaterial(context, args[0]);
    if (!material)
        return 1;
    MaterialService& service = context.materials().service();
    const qint64 id = material->MinuItemID.toLongLong();
    std::optional<QStringList> keywords = service.keywords(id);
    if (args.size() > 1) {
        keywords = service.setKeywords(id, keywords.value_or(QStringList()), args.mid(2));
        if (!keywords)
            return 1;
    }
    for (const QString& keyword : keywords.value_or(QStringList()))
        context.line(keyword);
    return 0;
}

int cliList(CliContext& context, const QStringList& args) {
    if (args.isEmpty())
        return 2;
    using Filter = MaterialListFilter;
    const QMap<QString, Filter::Type> types{{"all", Filter::Type::All},
                                            {"web", Filter::Type::WebPages},
                                            {"other", Filter::Type::Other}};
    const QMap<QString, Filter::Time> times{
        {"none", Filter::Time::None},         {"1d", Filter::Time::SinceYesterday},
        {"3d", Filter::Time::SinceThreeDays}, {"1w", Filter::Time::SinceAWeek},
        {"1m", Filter::Time::SinceAMonth},    {"3m", Filter::Time::SinceThreeMonths},
        {"6m", Filter::Time::SinceHalfAYear}, {"1y", Filter::Time::SinceAYear}};
    std::optional<Filter::Type> type;
    std::optional<Filter::Time> time;
    QString from, to;
    int page = 1;
    for (int i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return 2;
        const QString& option = args[i];
        const QString& value = args[i + 1];
        if (option == QLatin1String("--type") && types.contains(value))
            type = types.value(value);
        else if (option == QLatin1String("--time") && times.contains(value))
            time = times.value(value);
        else if (option == QLatin1String("--from"))
            from = value;
        else if (option == QLatin1String("--to"))
            to = value;
        else if (option == QLatin1String("--page") && value.toInt() > 0)
            page = value.toInt();
        else
            return 2;
    }
    if (!context.openBase())
        return 1;
    MaterialListModel& list = context.materials().list();
    if (type)
        list.setTypeFilter(*type);
    if (time)
        list.setTimeChoice(*time);
    if (!from.isEmpty() || !to.isEmpty())
        list.setDateRange(from, to);
    list.showMaterialsOf(args[0]);
    if (page > 1 && !list.showPage(page))
        return cliFail(context, QStringLiteral("没有第%1页!").arg(page));
    context.line(list.statusText());
    context.line(QStringLiteral("page %1/%2").arg(list.currentPage()).arg(list.pageCount()));
    for (const MaterialRecord& m : list.materials())
        context.row({m.MinuItemID, m.MinuItemName, m.DisplayPath, m.ItemID, m.DescribeFileType,
                     m.MinuItemDescribeFilename, m.MinuItemFilePath, m.CreateTime});
    return 0;
}

int cliDock(CliContext& context, const QStringList& args) {
    if (args.isEmpty()) {
        printDock(context);
        return 0;
    }
    if (args.size() != 2 || (args[0] != QLatin1String("add") && args[0] != QLatin1String("remove")))
        return 2;
    if (!context.openBase())
        return 1;
    MaterialPanes& panes = context.materials();
    if (args[0] == QLatin1String("add")) {
        const std::optional<MaterialRecord> material = materialOf(context, args[1]);
        if (!material || !panes.dockMaterial(*material))
            return 1;
    } else {
        const DockStationModel& dock = panes.dock();
        const int row = dock.rowOf(args[1], QString::number(context.workspace().currentBase().ID));
        if (row < 0)
            return cliFail(context, QStringLiteral("停靠站中没有资料 '%1'!").arg(args[1]));
        if (!panes.service().undock(dock.entryAt(row).Material))
            return 1;
    }
    printDock(context);
    return 0;
}
