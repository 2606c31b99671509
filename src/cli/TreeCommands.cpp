#include "CliCommands.h"
#include "CliContext.h"

#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"
#include "store/TreeService.h"

#include <QSet>

namespace {

// Depth first in display order: each item, then what lies below it.
void listItems(CliContext& context, const QString& parent, bool all, const QSet<QString>& live) {
    QList<ItemRecord> items;
    KnowledgeStore& store = context.workspace().store();
    if (all)
        store.LoadChildItemsAnyFlag(parent, items);
    else
        store.LoadChildItems(parent, items);
    for (const ItemRecord& item : items) {
        context.row({item.ItemID, item.ItemName,
                     live.contains(item.ItemID) ? QStringLiteral("AOS") : QStringLiteral("EOS"),
                     QString::number(item.Preference)});
        if (!CategoryCode::IsMinor(item.ItemID))
            listItems(context, item.ItemID, all, live);
    }
}

void collectLive(const CategoryTreeModel& tree, const QModelIndex& parent, QSet<QString>& live) {
    for (int r = 0; r < tree.rowCount(parent); ++r) {
        const QModelIndex child = tree.index(r, 0, parent);
        live.insert(CategoryTreeModel::codeOf(child));
        collectLive(tree, child, live);
    }
}

// The tree node of a code given on the command line, or a message.
QModelIndex nodeOf(CliContext& context, const QString& code) {
    const QModelIndex index = context.tree().indexOf(code);
    if (!index.isValid())
        context.prompter().error(QStringLiteral("没有找到知识库项 '%1'!").arg(code));
    return index;
}

} // namespace

int cliTree(CliContext& context, const QStringList& args) {
    const bool all = args.contains(QStringLiteral("--all"));
    if (args.size() > (all ? 1 : 0))
        return 2;
    if (!context.openBase())
        return 1;
    QSet<QString> live;
    collectLive(context.tree(), {}, live);
    listItems(context, CategoryCode::kWholeBase, all, live);
    return 0;
}

int cliAddItem(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return 2;
    if (!context.openBase())
        return 1;
    const QString& parent = args[0];
    TreeService& tree = context.treeService();
    std::optional<QString> added;
    if (CategoryCode::IsWholeBase(parent)) {
        added = tree.addRoot(args[1]);
    } else {
        if (!nodeOf(context, parent).isValid())
            return 1;
        if (CategoryCode::IsMinor(parent))
            return cliFail(context, QStringLiteral("知识库小项下不能再增加子项!"));
        added = tree.addChild(parent);
        // A name that cannot be stored leaves the default one, as in the tree.
        if (added && !args[1].trimmed().isEmpty())
            tree.renameItem(*added, args[1]);
    }
    if (!added)
        return 1;
    context.line(*added);
    return 0;
}

int cliRenameItem(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return 2;
    if (!context.openBase())
        return 1;
    if (!nodeOf(context, args[0]).isValid())
        return 1;
    return context.treeService().renameItem(args[0], args[1]) ? 0 : 1;
}

int cliMoveItem(CliContext& context, const QStringList& args) {
    if (args.size() != 2 || (args[1] != QLatin1String("up") && args[1] != QLatin1String("down")))
        return 2;
    if (!context.openBase())
        return 1;
    const QModelIndex node = nodeOf(context, args[0]);
    if (!node.isValid())
        return 1;
    // The first sibling cannot move up, nor the last down: nothing happens.
    const QModelIndex sibling =
        node.siblingAtRow(node.row() + (args[1] == QLatin1String("up") ? -1 : +1));
    if (!sibling.isValid())
        return 0;
    return context.treeService().exchangeItems(args[0], CategoryTreeModel::codeOf(sibling)) ? 0 : 1;
}

int cliPasteItem(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return 2;
    if (!context.openBase())
        return 1;
    const QModelIndex item = nodeOf(context, args[0]);
    const QModelIndex target = item.isValid() ? nodeOf(context, args[1]) : QModelIndex();
    if (!target.isValid())
        return 1;
    TreeService& tree = context.treeService();
    tree.cutItem(args[0]);
    if (tree.cutItemCode().isEmpty())
        return cliFail(context, QStringLiteral("粘贴无效!"));
    QString pasted;
    QObject::connect(&tree, &TreeService::itemRecoded,
                     [&pasted](const QString&, const QString& newCode) { pasted = newCode; });
    if (!tree.paste(args[1]))
        return 1;
    context.line(pasted);
    return 0;
}

int cliPasteMaterials(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return 2;
    if (!context.openBase())
        return 1;
    const QModelIndex item = nodeOf(context, args[0]);
    const QModelIndex target = item.isValid() ? nodeOf(context, args[1]) : QModelIndex();
    if (!target.isValid())
        return 1;
    TreeService& tree = context.treeService();
    tree.cutMaterialsOf(args[0]);
    if (tree.cutMaterialsCode().isEmpty())
        return cliFail(context, QStringLiteral("只能剪切知识库小项下的资料!"));
    return tree.paste(args[1]) ? 0 : 1;
}

int cliDeleteItem(CliContext& context, const QStringList& args) {
    if (args.size() != 1)
        return 2;
    if (!context.openBase())
        return 1;
    return nodeOf(context, args[0]).isValid() && context.treeService().recycleItem(args[0]) ? 0 : 1;
}
