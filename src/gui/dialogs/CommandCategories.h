#pragma once

#include <QList>
#include <QString>

class CommandRegistry;
class QAction;
class QComboBox;
class QListWidget;
class QMainWindow;

// The customize pages let the user find a command the way the menus group
// them: one category per menu of the menu bar, and "所有命令" for the rest.
namespace CommandCategories {

struct Category {
    QString name;
    QList<int> ids;
};

QList<Category> fromMenus(QMainWindow* window, const CommandRegistry& commands);

// The command id of an action of the registry; 0 for anything else on a
// toolbar (separators, the widgets a toolbar holds).
int commandOf(QAction* action, const CommandRegistry& commands);

// What the lists show: the menu text without "&" and without the key.
QString commandText(QAction* action);

void fillCombo(QComboBox* combo, const QList<Category>& categories);
// Lists the commands with their icons, each item holding its id.
void fillList(QListWidget* list, const QList<int>& ids, const CommandRegistry& commands);

} // namespace CommandCategories
