#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// One toolbar as the user left it: shown or not, and what it holds in order.
// An item is a command id, a separator, or a widget named by its object name
// (the type selector, the query box), which the window puts back where it was.
struct BarLayout {
    struct Item {
        enum class Kind { Command, Separator, Widget };
        Kind kind = Kind::Command;
        int command = 0;
        QString widget;
        bool operator==(const Item&) const = default;
    };
    QString name;
    bool visible = true;
    QList<Item> items;
    bool operator==(const BarLayout&) const = default;
};

// One arrangement of the window, in the four parts it is exchanged in:
// command bars, keys, bar options, and the docking panes' saved state.
struct WindowLayout {
    // Empty when the section had no command bars, which is how a full-screen
    // arrangement that was never saved is told apart.
    std::optional<QList<BarLayout>> commandBars;
    // Kept with the command bars, and like them only when they were saved.
    bool menuBarVisible = true;
    QByteArray shortcuts;
    QByteArray options;
    QByteArray dockingPane;
    bool operator==(const WindowLayout&) const = default;
};

// A group of links on the task panel, each to a command.
struct TaskGroup {
    QString title;
    QList<int> commands;
    bool operator==(const TaskGroup&) const = default;
};
