#include "AutoHideDocks.h"

#include <QDockWidget>
#include <QMenu>

QMenu* AutoHideDocks::paneMenu(QDockWidget* dock, QWidget* parent) {
    auto* menu = new QMenu(parent);
    const bool hidden = isAutoHidden(dock);
    const bool floating = dock->isFloating();
    const QDockWidget::DockWidgetFeatures features = dock->features();
    // The menu may outlive the pane when it stays open.
    const QPointer<QDockWidget> pane(dock);

    QAction* floatAction = menu->addAction(QStringLiteral("浮动"));
    floatAction->setEnabled(!floating && features.testFlag(QDockWidget::DockWidgetFloatable));
    connect(floatAction, &QAction::triggered, this, [this, pane] {
        if (!pane)
            return;
        release(pane, false);
        pane->setFloating(true);
        pane->show();
    });

    QAction* dockAction = menu->addAction(QStringLiteral("停靠"));
    dockAction->setEnabled(floating || hidden);
    connect(dockAction, &QAction::triggered, this, [this, pane] {
        if (!pane)
            return;
        if (isAutoHidden(pane)) {
            setAutoHide(pane, false);
        } else {
            pane->setFloating(false);
            pane->show();
        }
    });

    QAction* autoHideAction = menu->addAction(QStringLiteral("自动隐藏"));
    autoHideAction->setCheckable(true);
    autoHideAction->setChecked(hidden);
    // A floating pane has no edge to hide on; it is docked first.
    autoHideAction->setEnabled(!floating);
    connect(autoHideAction, &QAction::triggered, this, [this, pane](bool on) {
        if (pane)
            setAutoHide(pane, on);
    });

    QAction* hideAction = menu->addAction(QStringLiteral("隐藏"));
    hideAction->setEnabled(features.testFlag(QDockWidget::DockWidgetClosable));
    connect(hideAction, &QAction::triggered, this, [this, pane] {
        if (pane)
            closePane(pane);
    });
    return menu;
}

void AutoHideDocks::closePane(QDockWidget* dock) {
    // Closed, an auto-hidden pane loses its tab too: shown again, it docks.
    if (isAutoHidden(dock))
        release(dock, false);
    else
        dock->close();
}

void AutoHideDocks::manage(QDockWidget* dock) {
    for (const QPointer<QDockWidget>& managed : m_managed)
        if (managed == dock)
            return;
    m_managed.emplace_back(dock);
    dock->installEventFilter(this);
    dock->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(dock, &QWidget::customContextMenuRequested, this,
            [this, dock](const QPoint& pos) { showTitleBarMenu(dock, pos); });
}

void AutoHideDocks::showTitleBarMenu(QDockWidget* dock, const QPoint& pos) {
    // The content's own menus come first; what reaches the dock from inside
    // the content is a place where the content has none.
    if (const QWidget* content = dock->widget(); content && content->geometry().contains(pos))
        return;
    QMenu* menu = paneMenu(dock, dock);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(dock->mapToGlobal(pos));
}
