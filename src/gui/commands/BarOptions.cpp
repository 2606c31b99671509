#include "BarOptions.h"

#include "CommandRegistry.h"

#include <QAction>
#include <QChildEvent>
#include <QEvent>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

namespace {

const QByteArray kToolTips = "ShowToolTips";
const QByteArray kKeysInToolTips = "ShortcutsInToolTips";
const QByteArray kLargeIcons = "LargeIcons";
const QByteArray kTextUnderIcons = "TextUnderIcons";

// An action's tool tip cannot be made empty (Qt then shows its text), so the
// tips are held back at the buttons. It watches the toolbar too, to reach
// the buttons of commands added later.
class ToolTipBlocker : public QObject {
public:
    explicit ToolTipBlocker(QObject* parent) : QObject(parent) {
        setObjectName(QStringLiteral("ToolTipBlocker"));
    }
    void watch(QToolBar* bar) {
        bar->installEventFilter(this);
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            button->installEventFilter(this);
    }
    void unwatch(QToolBar* bar) {
        bar->removeEventFilter(this);
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            button->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip && qobject_cast<QToolButton*>(watched))
            return true;
        if (event->type() == QEvent::ChildAdded && qobject_cast<QToolBar*>(watched)) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType())
                child->installEventFilter(this);
        }
        return false;
    }
};

} // namespace

QByteArray BarOptions::save() const {
    const auto line = [](const QByteArray& key, bool on) {
        return key + '=' + (on ? '1' : '0') + '\n';
    };
    return line(kToolTips, showToolTips) + line(kKeysInToolTips, shortcutsInToolTips) +
           line(kLargeIcons, largeIcons) + line(kTextUnderIcons, showTextUnderIcons);
}

BarOptions BarOptions::restore(const QByteArray& saved) {
    BarOptions options;
    for (const QByteArray& raw : saved.split('\n')) {
        const QList<QByteArray> parts = raw.trimmed().split('=');
        if (parts.size() != 2 || (parts[1] != "0" && parts[1] != "1"))
            continue;
        const bool on = parts[1] == "1";
        if (parts[0] == kToolTips)
            options.showToolTips = on;
        else if (parts[0] == kKeysInToolTips)
            options.shortcutsInToolTips = on;
        else if (parts[0] == kLargeIcons)
            options.largeIcons = on;
        else if (parts[0] == kTextUnderIcons)
            options.showTextUnderIcons = on;
    }
    return options;
}

void BarOptions::apply(QMainWindow* window, CommandRegistry& commands) const {
    const int side = largeIcons ? 24 : 16;
    const Qt::ToolButtonStyle style =
        showTextUnderIcons ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    window->setIconSize(QSize(side, side));
    window->setToolButtonStyle(style);

    // A plain QObject lookup: the blocker has no meta-object of its own.
    auto* blocker = static_cast<ToolTipBlocker*>(
        window->findChild<QObject*>(QStringLiteral("ToolTipBlocker"), Qt::FindDirectChildrenOnly));
    if (!blocker)
        blocker = new ToolTipBlocker(window);
    for (QToolBar* bar : window->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        bar->setIconSize(QSize(side, side));
        bar->setToolButtonStyle(style);
        if (showToolTips)
            blocker->unwatch(bar);
        else
            blocker->watch(bar);
    }

    for (const int id : commands.ids()) {
        QAction* action = commands.action(id);
        QString tip = action->iconText();
        if (shortcutsInToolTips && !action->shortcut().isEmpty())
            tip +=
                QStringLiteral(" (%1)").arg(action->shortcut().toString(QKeySequence::NativeText));
        action->setToolTip(tip);
    }
}
