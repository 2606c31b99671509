#include "AutoHideDocks.h"

#include "AutoHideTab.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPropertyAnimation>
#include <QTimer>
#include <QToolBar>

#include <array>

namespace {

struct BarPlace {
    Qt::DockWidgetArea dockArea;
    Qt::ToolBarArea barArea;
    const char* name;
};

// The names are in the window's saved layout: keep them.
constexpr std::array<BarPlace, 4> kBars{{
    {Qt::LeftDockWidgetArea, Qt::LeftToolBarArea, "AutoHideBarLeft"},
    {Qt::RightDockWidgetArea, Qt::RightToolBarArea, "AutoHideBarRight"},
    {Qt::TopDockWidgetArea, Qt::TopToolBarArea, "AutoHideBarTop"},
    {Qt::BottomDockWidgetArea, Qt::BottomToolBarArea, "AutoHideBarBottom"},
}};

constexpr int kHoverMs = 400;

bool isSideArea(Qt::DockWidgetArea area) {
    return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
}

int extentOf(const QDockWidget* dock, Qt::DockWidgetArea area) {
    if (dock->isHidden())
        return 0; // its size is stale or was never laid out
    return isSideArea(area) ? dock->width() : dock->height();
}

} // namespace

AutoHideDocks::AutoHideDocks(QMainWindow* window) : QObject(window), m_window(window) {
    for (std::size_t i = 0; i < kBars.size(); ++i) {
        const BarPlace& place = kBars[i];
        auto* bar = new QToolBar(window);
        bar->setObjectName(QLatin1String(place.name));
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setAllowedAreas(place.barArea);
        // The window's own menu of bars would let the user hide a bar of tabs
        // and so lose the way back to its panes.
        bar->toggleViewAction()->setVisible(false);
        bar->setContextMenuPolicy(Qt::PreventContextMenu);
        // On its own line, nearest the documents, when the edge has bars already.
        const QList<QToolBar*> others = window->findChildren<QToolBar*>();
        for (QToolBar* other : others) {
            if (other != bar && window->toolBarArea(other) == place.barArea) {
                window->addToolBarBreak(place.barArea);
                break;
            }
        }
        window->addToolBar(place.barArea, bar);
        bar->hide();
        bar->installEventFilter(this);
        m_bars[i] = bar;
    }
    m_hoverTimer = new QTimer(this);
    m_hoverTimer->setSingleShot(true);
    m_hoverTimer->setInterval(kHoverMs);
    connect(m_hoverTimer, &QTimer::timeout, this, [this] {
        if (m_hovered && m_hovered->underMouse() && m_hovered->dock())
            slideOut(m_hovered->dock());
    });
    connect(qApp, &QApplication::focusChanged, this, &AutoHideDocks::onFocusChanged);
    window->installEventFilter(this);
}

AutoHideDocks::~AutoHideDocks() {
    // A pane that is out must not be left without its content.
    finishSlideIn();
}

AutoHideDocks::Entry* AutoHideDocks::find(const QDockWidget* dock) {
    for (Entry& entry : m_entries)
        if (entry.key == dock)
            return &entry;
    return nullptr;
}

const AutoHideDocks::Entry* AutoHideDocks::find(const QDockWidget* dock) const {
    for (const Entry& entry : m_entries)
        if (entry.key == dock)
            return &entry;
    return nullptr;
}

bool AutoHideDocks::isAutoHidden(const QDockWidget* dock) const {
    return dock && find(dock);
}

QWidget* AutoHideDocks::tabOf(const QDockWidget* dock) const {
    const Entry* entry = find(dock);
    return entry ? entry->tab.data() : nullptr;
}

void AutoHideDocks::setAutoHide(QDockWidget* dock, bool on) {
    if (!dock)
        return;
    if (!on) {
        release(dock, true);
        return;
    }
    if (find(dock))
        return;
    const Qt::DockWidgetArea area = dockInArea(dock);
    collapse(dock, area, extentOf(dock, area));
}

Qt::DockWidgetArea AutoHideDocks::dockInArea(QDockWidget* dock) {
    if (dock->isFloating())
        dock->setFloating(false);
    Qt::DockWidgetArea area = m_window->dockWidgetArea(dock);
    if (area == Qt::NoDockWidgetArea) {
        area = Qt::LeftDockWidgetArea;
        m_window->addDockWidget(area, dock);
    }
    return area;
}

void AutoHideDocks::autoHideAll() {
    // Measured before any pane goes: each one leaving widens the others.
    std::vector<std::pair<QDockWidget*, int>> open;
    const QList<QDockWidget*> docks = m_window->findChildren<QDockWidget*>();
    for (QDockWidget* dock : docks) {
        if (dock->parentWidget() != m_window || dock->isHidden() || find(dock))
            continue;
        open.emplace_back(dock, extentOf(dock, m_window->dockWidgetArea(dock)));
    }
    for (const auto& pane : open) {
        QDockWidget* dock = pane.first;
        collapse(dock, dockInArea(dock), pane.second);
    }
}

void AutoHideDocks::collapse(QDockWidget* dock, Qt::DockWidgetArea area, int extent) {
    if (extent <= 0) {
        const QSize hint = dock->sizeHint();
        extent = isSideArea(area) ? hint.width() : hint.height();
    }
    QToolBar* bar = barFor(area);
    Entry entry;
    entry.key = dock;
    entry.dock = dock;
    entry.area = area;
    entry.extent = extent;
    auto* tab = new AutoHideTab(dock, isSideArea(area), bar);
    connect(tab, &QToolButton::clicked, this, [this, tab] {
        if (tab->dock())
            slideOut(tab->dock());
    });
    connect(tab, &AutoHideTab::hovered, this,
            [this, tab](bool entered) { hoverTab(tab, entered); });
    tab->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tab, &QWidget::customContextMenuRequested, this, [this, tab](const QPoint& pos) {
        if (!tab->dock())
            return;
        QMenu* menu = paneMenu(tab->dock(), tab);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(tab->mapToGlobal(pos));
    });
    entry.tab = tab;
    entry.tabAction = bar->addWidget(tab);
    m_entries.push_back(entry);

    dock->installEventFilter(this);
    connect(dock, &QObject::destroyed, this, &AutoHideDocks::forgetDestroyed, Qt::UniqueConnection);
    // Hidden, the pane keeps its place in the layout but gives up its room.
    dock->hide();
    updateBars();
    Q_EMIT autoHideChanged(dock, true);
}

void AutoHideDocks::release(QDockWidget* dock, bool show) {
    Entry* entry = find(dock);
    if (!entry)
        return;
    if (m_out == dock || m_lentTo == dock)
        finishSlideIn();
    if (m_hovered && m_hovered == entry->tab)
        m_hoverTimer->stop();
    const Qt::DockWidgetArea area = entry->area;
    const int extent = entry->extent;
    delete entry->tabAction;
    m_entries.erase(m_entries.begin() + (entry - m_entries.data()));
    updateBars();
    // Out of the set first: the show below must not look like someone else's.
    if (show) {
        dock->show();
        m_window->resizeDocks({dock}, {extent}, isSideArea(area) ? Qt::Horizontal : Qt::Vertical);
    }
    Q_EMIT autoHideChanged(dock, false);
}

void AutoHideDocks::forgetDestroyed(QObject* dock) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (static_cast<QObject*>(it->key) != dock)
            continue;
        delete it->tabAction;
        m_entries.erase(it);
        break;
    }
    // At home, its content went with the pane; lent, it is ours to end. The
    // pane is half gone here: its pointers are dropped unread.
    if (m_lentKey == dock) {
        m_lentKey = nullptr;
        m_lentTo = nullptr;
        m_out = nullptr; // it was this pane, if any
        qApp->removeEventFilter(this);
        finishSlideIn();
    }
    updateBars();
}

QToolBar* AutoHideDocks::barFor(Qt::DockWidgetArea area) const {
    for (std::size_t i = 0; i < kBars.size(); ++i)
        if (kBars[i].dockArea == area)
            return m_bars[i];
    return m_bars[0];
}

void AutoHideDocks::updateBars() {
    for (std::size_t i = 0; i < kBars.size(); ++i) {
        bool used = false;
        for (const Entry& entry : m_entries)
            used = used || entry.area == kBars[i].dockArea;
        if (m_bars[i]->isVisibleTo(m_window) != used)
            m_bars[i]->setVisible(used);
    }
}

bool AutoHideDocks::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show: {
        auto* dock = qobject_cast<QDockWidget*>(watched);
        if (dock && find(dock)) {
            // Shown by someone else (the window's menu of panes, the window's
            // own restoreState): the user wants it docked again.
            QPointer<QDockWidget> shown(dock);
            QMetaObject::invokeMethod(
                this,
                [this, shown] {
                    if (shown && shown->isVisible() && find(shown))
                        release(shown, false);
                },
                Qt::QueuedConnection);
        } else if (qobject_cast<QToolBar*>(watched)) {
            // The window's restoreState shows the bars that were shown then.
            QMetaObject::invokeMethod(this, &AutoHideDocks::updateBars, Qt::QueuedConnection);
        }
        break;
    }
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
        if (auto* dock = qobject_cast<QDockWidget*>(watched)) {
            if (Entry* entry = find(dock); entry && entry->tab)
                entry->tab->refresh();
            if (m_out == dock && m_overlayTitle)
                m_overlayTitle->setText(dock->windowTitle());
        }
        break;
    case QEvent::Resize:
        if (watched == m_window && m_out && !m_closing) {
            // Follows the window's new size at once, without sliding again.
            if (const Entry* entry = find(m_out)) {
                m_animation->stop();
                m_overlay->setGeometry(overlayRect(*entry, false));
            }
        }
        break;
    case QEvent::KeyPress:
        if (watched == m_overlay && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            slideIn();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A click elsewhere in the window, also where nothing takes the focus.
        if (m_out && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->window() == m_window && !isInsideOverlay(widget) &&
                !qobject_cast<AutoHideTab*>(widget))
                slideIn();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
