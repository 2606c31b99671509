#include "WindowArrangement.h"

#include "commands/CommandRegistry.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QWidgetAction>

namespace {

QList<QToolBar*> ownToolBars(const QMainWindow& window) {
    QList<QToolBar*> bars;
    for (QToolBar* bar : window.findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        if (!bar->objectName().isEmpty())
            bars.append(bar);
    }
    return bars;
}

// A control put on a bar with addWidget; the window names each one it puts
// there, so the layout can say where it goes.
QWidget* barWidget(QAction* action) {
    auto* widgetAction = qobject_cast<QWidgetAction*>(action);
    return widgetAction ? widgetAction->defaultWidget() : nullptr;
}

} // namespace

namespace WindowArrangement {

QList<BarLayout> captureBars(const QMainWindow& window) {
    QList<BarLayout> bars;
    for (QToolBar* bar : ownToolBars(window)) {
        BarLayout layout{bar->objectName(), !bar->isHidden(), {}};
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                layout.items.append({BarLayout::Item::Kind::Separator, 0, {}});
            } else if (const QWidget* widget = barWidget(action)) {
                if (!widget->objectName().isEmpty())
                    layout.items.append({BarLayout::Item::Kind::Widget, 0, widget->objectName()});
            } else if (const int id = action->data().toInt(); id > 0) {
                layout.items.append({BarLayout::Item::Kind::Command, id, {}});
            }
        }
        bars.append(layout);
    }
    return bars;
}

void applyBars(QMainWindow& window, const CommandRegistry& commands, const QList<BarLayout>& bars) {
    const QList<QToolBar*> own = ownToolBars(window);
    for (const BarLayout& layout : bars) {
        QToolBar* bar = nullptr;
        for (QToolBar* candidate : own) {
            if (candidate->objectName() == layout.name)
                bar = candidate;
        }
        if (!bar)
            continue;
        QList<QAction*> widgets;
        QList<QAction*> separators;
        for (QAction* action : bar->actions()) {
            if (barWidget(action))
                widgets.append(action);
            else if (action->isSeparator())
                separators.append(action);
            bar->removeAction(action);
        }
        qDeleteAll(separators); // the bar made them; new ones take their place
        for (const BarLayout::Item& item : layout.items) {
            switch (item.kind) {
            case BarLayout::Item::Kind::Separator:
                bar->addSeparator();
                break;
            case BarLayout::Item::Kind::Command:
                if (QAction* action = commands.action(item.command))
                    bar->addAction(action);
                break;
            case BarLayout::Item::Kind::Widget:
                for (QAction* action : std::as_const(widgets)) {
                    if (barWidget(action)->objectName() == item.widget) {
                        bar->addAction(action);
                        widgets.removeOne(action);
                        break;
                    }
                }
                break;
            }
        }
        bar->addActions(widgets);
        bar->setVisible(layout.visible);
    }
}

} // namespace WindowArrangement
