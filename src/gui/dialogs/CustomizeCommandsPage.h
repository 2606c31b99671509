#pragma once

#include "CommandCategories.h"

#include <QHash>
#include <QList>
#include <QWidget>

class CommandRegistry;
class QAction;
class QComboBox;
class QListWidget;
class QMainWindow;
class QPushButton;
class QToolBar;

// "命令": which commands each toolbar holds, in which order. The changes are
// kept here until the sheet is accepted; the widgets a toolbar holds (the
// search box, labels) are listed so the order reads as on screen, but they
// cannot be removed or moved.
class CustomizeCommandsPage : public QWidget {
    Q_OBJECT
public:
    CustomizeCommandsPage(QMainWindow* window, CommandRegistry& commands,
                          QWidget* parent = nullptr);

    QComboBox* barCombo() const { return m_barCombo; }
    QComboBox* categoryCombo() const { return m_categoryCombo; }
    QListWidget* availableList() const { return m_available; }
    QListWidget* barList() const { return m_onBar; }

    void apply();

private:
    QToolBar* currentBar() const;
    void showBar();
    void showAvailable();
    void updateButtons();
    void add();
    void remove();
    void move(int step);
    void reset();

    CommandRegistry& m_commands;
    QList<QToolBar*> m_bars;
    QList<CommandCategories::Category> m_categories;
    // Kept per toolbar: what it holds now in the sheet, and what it held
    // when the sheet opened, for "重置".
    QHash<QToolBar*, QList<QAction*>> m_working;
    QHash<QToolBar*, QList<QAction*>> m_original;

    QComboBox* m_barCombo;
    QComboBox* m_categoryCombo;
    QListWidget* m_available;
    QListWidget* m_onBar;
    QPushButton* m_add;
    QPushButton* m_remove;
    QPushButton* m_up;
    QPushButton* m_down;
    QPushButton* m_reset;
};
