#pragma once

#include "CommandCategories.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QWidget>

class CommandRegistry;
class Prompter;
class QComboBox;
class QKeySequenceEdit;
class QListWidget;
class QMainWindow;
class QPushButton;

// "键盘": the keys of each command. The user's choices are kept here until
// the sheet is accepted; a key another command holds moves only when the
// user agrees.
class CustomizeKeyboardPage : public QWidget {
    Q_OBJECT
public:
    CustomizeKeyboardPage(QMainWindow* window, CommandRegistry& commands, Prompter& prompter,
                          QWidget* parent = nullptr);

    QComboBox* categoryCombo() const { return m_categoryCombo; }
    QListWidget* commandList() const { return m_commandList; }
    QListWidget* keyList() const { return m_keyList; }
    QKeySequenceEdit* keyEdit() const { return m_keyEdit; }

    void apply();

private:
    int currentCommand() const;
    void showCategory();
    void showKeys();
    void updateButtons();
    void assign();
    void removeKey();
    void resetAll();

    CommandRegistry& m_commands;
    Prompter& m_prompter;
    QList<CommandCategories::Category> m_categories;
    QHash<int, QList<QKeySequence>> m_keys;
    // "全部重置" goes back to the program's keys in the registry first, so
    // that keys shared by panes come back to all of them.
    bool m_resetAll = false;

    QComboBox* m_categoryCombo;
    QListWidget* m_commandList;
    QListWidget* m_keyList;
    QKeySequenceEdit* m_keyEdit;
    QPushButton* m_assign;
    QPushButton* m_remove;
    QPushButton* m_resetAllButton;
};
