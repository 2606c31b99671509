#include "CliCommands.h"
#include "CliContext.h"

#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"

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
    QModelIndex added;
    if (CategoryCode::IsWholeBase(parent)) {
        context.prompter().answerTextWith(args[1]);
        added = context.tree().addRoot();
    } else {
        const QModelIndex node = nodeOf(context, parent);
        if (!node.isValid())
            return 1;
        if (CategoryCode::IsMinor(parent))
            return cliFail(context, QStringLiteral("知识库小项下不能再增加子项!"));
        added = context.tree().addChild(node);
        if (added.isValid() && !args[1].trimmed().isEmpty())
            context.tree().setData(added, args[1]);
    }
    if (!added.isValid())
        return 1;
    context.line(CategoryTreeModel::codeOf(added));
    return 0;
}

int cliRenameItem(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return 2;
    if (!context.openBase())
        return 1;
    const QModelIndex node = nodeOf(context, args[0]);
    if (!node.isValid())
        return 1;
    const int before = context.prompter().messagesShown();
    context.tree().setData(node, args[1]);
    return context.prompter().messagesShown() == before ? 0 : 1;
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
    const int before = context.prompter().messagesShown();
    if (args[1] == QLatin1String("up"))
        context.tree().moveUp(node);
    else
        context.tree().moveDown(node);
    return context.prompter().messagesShown() == before ? 0 : 1;
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
    context.tree().cut(item);
    if (context.tree().cutItemCode().isEmpty())
        return cliFail(context, QStringLiteral("粘贴无效!"));
    if (!context.tree().paste(target))
        return 1;
    // A pasted item joins its new parent last.
    const QModelIndex parent = context.tree().indexOf(args[1]);
    const QModelIndex pasted = context.tree().index(context.tree().rowCount(parent) - 1, 0, parent);
    context.line(CategoryTreeModel::codeOf(pasted));
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
    context.tree().cutMaterials(item);
    if (context.tree().cutMaterialsCode().isEmpty())
        return cliFail(context, QStringLiteral("只能剪切知识库小项下的资料!"));
    return context.tree().paste(target) ? 0 : 1;
}

int cliDeleteItem(CliContext& context, const QStringList& args) {
    if (args.size() != 1)
        return 2;
    if (!context.openBase())
        return 1;
    const QModelIndex node = nodeOf(context, args[0]);
    return node.isValid() && context.tree().removeToRecycleBin(node) ? 0 : 1;
}
