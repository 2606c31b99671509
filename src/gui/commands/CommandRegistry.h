#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>

class QAction;

// Maps the program's numeric command ids to actions, so menus, toolbars,
// context menus and keys all reach the same handler, and tests can give a
// command by id the way a menu click would. A pane registers the handlers of
// its commands and says when each is enabled.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using Enabler = std::function<bool()>;

    explicit CommandRegistry(QObject* parent = nullptr);

    // Creates the action of a command once; later calls return the same one.
    // Pane commands share keys (Del, Ctrl+X …), so a pane defines its own with
    // Qt::WidgetWithChildrenShortcut and adds the actions to its widget: the
    // key then belongs to the pane that has the focus.
    QAction* define(int id, const QString& text, const QKeySequence& key = {},
                    Qt::ShortcutContext context = Qt::WindowShortcut);
    QAction* action(int id) const;

    void setHandler(int id, Handler handler, Enabler enabled = {});

    // Runs the command if it is enabled; false when it is not or has no handler.
    bool trigger(int id);

    // Re-evaluates every enabler; called when the focus or a selection moves.
    void updateEnabled();

    // Commands that stay disabled whatever their enablers say, as the
    // commands that write a base opened from a read-only place.
    void setBlocked(const QSet<int>& ids);

    // A gate says of each command whether it may run at all just now, before
    // its own enabler is asked: a long write off the GUI thread keeps the
    // other writes closed until it ends. An empty gate opens everything.
    using Gate = std::function<bool(int id)>;
    void setGate(Gate gate);

private:
    struct Entry {
        QAction* action = nullptr;
        Handler handler;
        Enabler enabled;
    };
    bool isEnabled(int id, const Entry& entry) const;

    QHash<int, Entry> m_entries;
    QSet<int> m_blocked;
    Gate m_gate;
};
