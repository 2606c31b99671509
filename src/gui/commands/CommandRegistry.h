#pragma once

#include <QByteArray>
#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

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

    // A menu text as a button or list shows it: without the key written
    // after a tab and without the mnemonic, "停止(&P)\t  Esc" as "停止".
    static QString plainText(const QString& menuText);

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

    // The ids that have an action, ascending.
    QList<int> ids() const;

    // The keys a command has before the user changes them: what the program
    // gave it, including keys set on the action after define().
    QList<QKeySequence> defaultShortcuts(int id) const;

    // Gives the command the keys. A key it did not have yet is taken away
    // from every other command, so one key never runs two commands; the
    // customize sheet asks the user before it comes to that.
    void setShortcuts(int id, const QList<QKeySequence>& keys);
    // The command that has the key, other than \a except; 0 when none.
    int commandWithShortcut(const QKeySequence& key, int except = 0) const;
    void resetShortcuts();

    // The keys the user changed, as lines "id=keys" in portable text, so the
    // profile stays readable and survives a change of locale. Restore after
    // every command is defined and has its own keys: it starts from those.
    // False when a line was skipped (unknown id, unreadable keys); the other
    // lines are still applied.
    QByteArray saveShortcuts() const;
    bool restoreShortcuts(const QByteArray& saved);

private:
    struct Entry {
        QAction* action = nullptr;
        Handler handler;
        Enabler enabled;
        // Taken when the keys are first changed through the registry, so the
        // keys a pane sets on its action after define() count as defaults.
        std::optional<QList<QKeySequence>> defaults;
    };
    bool isEnabled(int id, const Entry& entry) const;
    void keepDefaults(Entry& entry);

    QHash<int, Entry> m_entries;
    QSet<int> m_blocked;
    Gate m_gate;
};
