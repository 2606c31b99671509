#pragma once

#include "config/WindowLayout.h"

#include <QList>
#include <QWidget>

class CommandRegistry;
class QVBoxLayout;

// "任务面板": the main tasks as links in groups, each link a command of the
// window, so it is enabled and disabled with the command and runs it.
class CTaskPanel : public QWidget {
    Q_OBJECT
public:
    explicit CTaskPanel(CommandRegistry& commands, QWidget* parent = nullptr);

    // What the panel shows before the user's layout says otherwise.
    static QList<TaskGroup> builtInGroups();

    const QList<TaskGroup>& groups() const { return m_groups; }
    void setGroups(const QList<TaskGroup>& groups);
    void reset() { setGroups(builtInGroups()); }

private:
    CommandRegistry& m_commands;
    QList<TaskGroup> m_groups;
    QVBoxLayout* m_layout;
};
