#include "CommandCategories.h"

#include "commands/CommandRegistry.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace CommandCategories {

namespace {

void collect(QMenu* menu, const CommandRegistry& commands, QList<int>& ids) {
    for (QAction* action : menu->actions()) {
        if (action->menu())
            collect(action->menu(), commands, ids);
        else if (const int id = commandOf(action, commands); id && !ids.contains(id))
            ids.append(id);
    }
}

} // namespace

int commandOf(QAction* action, const CommandRegistry& commands) {
    bool isNumber = false;
    const int id = action->data().toInt(&isNumber);
    return isNumber && commands.action(id) == action ? id : 0;
}

QString commandText(QAction* action) {
    return CommandRegistry::plainText(action->text());
}

QList<Category> fromMenus(QMainWindow* window, const CommandRegistry& commands) {
    QList<Category> categories;
    for (QAction* top : window->menuBar()->actions()) {
        if (!top->menu())
            continue;
        Category category{CommandRegistry::plainText(top->text()), {}};
        collect(top->menu(), commands, category.ids);
        categories.append(category);
    }
    categories.append({QStringLiteral("所有命令"), commands.ids()});
    return categories;
}

void fillCombo(QComboBox* combo, const QList<Category>& categories) {
    combo->clear();
    for (const Category& category : categories)
        combo->addItem(category.name);
}

void fillList(QListWidget* list, const QList<int>& ids, const CommandRegistry& commands) {
    list->clear();
    for (const int id : ids) {
        QAction* action = commands.action(id);
        auto* item = new QListWidgetItem(action->icon(), commandText(action), list);
        item->setData(Qt::UserRole, id);
    }
}

} // namespace CommandCategories
