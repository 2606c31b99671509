#include "AutoHideDocks.h"

#include "AutoHideTab.h"

#include <QApplication>
#include <QDockWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPropertyAnimation>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSlideMs = 150;
// Enough of the documents stays in sight to click back into them.
constexpr int kDocumentsLeft = 40;
constexpr int kMinimumExtent = 60;

// The first widget of the content that takes the keyboard, so that the user
// can type into the pane at once.
QWidget* focusTarget(QWidget* content) {
    if (content->focusPolicy() & Qt::TabFocus || content->focusProxy())
        return content;
    const QList<QWidget*> children = content->findChildren<QWidget*>();
    for (QWidget* child : children)
        if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled() &&
            child->isVisibleTo(content))
            return child;
    return content;
}

} // namespace

void AutoHideDocks::createOverlay() {
    if (m_overlay)
        return;
    m_overlay = new QFrame(m_window);
    m_overlay->setObjectName(QStringLiteral("AutoHideOverlay"));
    m_overlay->setFrameShape(QFrame::StyledPanel);
    m_overlay->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(m_overlay);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    auto* header = new QWidget(m_overlay);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(4, 2, 2, 2);
    m_overlayTitle = new QLabel(header);
    headerLayout->addWidget(m_overlayTitle, 1);
    auto* dockButton = new QToolButton(header);
    dockButton->setText(QStringLiteral("停靠"));
    dockButton->setAutoRaise(true);
    connect(dockButton, &QToolButton::clicked, this, [this] {
        if (m_out)
            setAutoHide(m_out, false);
    });
    headerLayout->addWidget(dockButton);
    auto* closeButton = new QToolButton(header);
    closeButton->setIcon(m_overlay->style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton->setToolTip(QStringLiteral("隐藏"));
    closeButton->setAutoRaise(true);
    connect(closeButton, &QToolButton::clicked, this, [this] {
        if (m_out)
            closePane(m_out);
    });
    headerLayout->addWidget(closeButton);
    layout->addWidget(header);

    m_overlay->hide();
    m_overlay->installEventFilter(this); // Escape, when the content has no use for it
    m_animation = new QPropertyAnimation(m_overlay, "geometry", this);
    m_animation->setDuration(kSlideMs);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_animation, &QPropertyAnimation::finished, this, [this] {
        if (m_closing)
            finishSlideIn();
    });
}

QRect AutoHideDocks::overlayRect(const Entry& entry, bool collapsed) const {
    // The room between the bars: the documents and the panes still docked.
    QRect room =
        m_window->centralWidget() ? m_window->centralWidget()->geometry() : m_window->rect();
    const QList<QDockWidget*> docks = m_window->findChildren<QDockWidget*>();
    for (const QDockWidget* dock : docks)
        if (dock->parentWidget() == m_window && dock->isVisible() && !dock->isFloating())
            room = room.united(dock->geometry());

    const bool side = entry.area == Qt::LeftDockWidgetArea || entry.area == Qt::RightDockWidgetArea;
    const int roomExtent = side ? room.width() : room.height();
    const int most = qMax(kMinimumExtent, roomExtent - kDocumentsLeft);
    const int extent = collapsed ? 0 : qBound(qMin(kMinimumExtent, most), entry.extent, most);
    switch (entry.area) {
    case Qt::RightDockWidgetArea:
        return QRect(room.right() + 1 - extent, room.top(), extent, room.height());
    case Qt::TopDockWidgetArea:
        return QRect(room.left(), room.top(), room.width(), extent);
    case Qt::BottomDockWidgetArea:
        return QRect(room.left(), room.bottom() + 1 - extent, room.width(), extent);
    default:
        return QRect(room.left(), room.top(), extent, room.height());
    }
}

void AutoHideDocks::slideOut(QDockWidget* dock) {
    const Entry* entry = find(dock);
    if (!dock || !entry)
        return;
    if (m_out == dock) {
        focusTarget(m_lentContent ? m_lentContent.data() : m_overlay)->setFocus();
        return;
    }
    finishSlideIn(); // another pane, or this one still sliding back
    // Out already, by a click: the pointer still resting there must not
    // bring it out again after an Escape.
    m_hoverTimer->stop();
    QWidget* content = dock->widget();
    if (!content)
        return;
    createOverlay();
    QWidget* focused = QApplication::focusWidget();
    m_focusBefore = focused && focused->window() == m_window ? focused : nullptr;

    // Lent, not moved: the dock keeps its place in the window's layout.
    m_lentTo = dock;
    m_lentKey = dock;
    m_lentContent = content;
    m_overlay->layout()->addWidget(content);
    content->show();
    m_overlayTitle->setText(dock->windowTitle());
    m_out = dock;
    m_closing = false;
    if (entry->tab)
        entry->tab->setChecked(true);

    const QRect from = overlayRect(*entry, true);
    const QRect to = overlayRect(*entry, false);
    m_overlay->setGeometry(from);
    m_overlay->show();
    m_overlay->raise();
    m_animation->stop();
    m_animation->setStartValue(from);
    m_animation->setEndValue(to);
    m_animation->start();
    qApp->installEventFilter(this); // clicks elsewhere, while it is out
    focusTarget(content)->setFocus(Qt::OtherFocusReason);
}

void AutoHideDocks::slideIn() {
    if (!m_out)
        return;
    const Entry* entry = find(m_out);
    if (entry && entry->tab)
        entry->tab->setChecked(false);
    qApp->removeEventFilter(this);
    const bool focusInside = isInsideOverlay(QApplication::focusWidget());
    m_out = nullptr;
    m_closing = true;
    // Escape leaves the keyboard where it was before the pane came out.
    if (focusInside) {
        QWidget* back = m_focusBefore && m_focusBefore->isVisible() ? m_focusBefore.data()
                                                                    : m_window->centralWidget();
        if (back)
            back->setFocus(Qt::OtherFocusReason);
    }
    if (!entry) {
        finishSlideIn();
        return;
    }
    m_animation->stop();
    m_animation->setStartValue(m_overlay->geometry());
    m_animation->setEndValue(overlayRect(*entry, true));
    m_animation->start();
}

QDockWidget* AutoHideDocks::slidOut() const {
    return m_out;
}

void AutoHideDocks::finishSlideIn() {
    if (m_out) {
        if (const Entry* entry = find(m_out); entry && entry->tab)
            entry->tab->setChecked(false);
        qApp->removeEventFilter(this);
        m_out = nullptr;
    }
    m_closing = false;
    if (m_animation)
        m_animation->stop();
    if (m_overlay)
        m_overlay->hide();
    returnContent();
}

void AutoHideDocks::returnContent() {
    if (!m_lentContent)
        return;
    QWidget* content = m_lentContent;
    m_lentContent = nullptr;
    // Content set on the pane meanwhile replaced this one, as when the pane
    // was at home; a pane gone took its content with it.
    if (m_lentTo && !m_lentTo->widget()) {
        m_lentTo->setWidget(content);
        content->show();
    } else {
        content->hide();
        content->deleteLater();
    }
    m_lentTo = nullptr;
    m_lentKey = nullptr;
}

bool AutoHideDocks::isInsideOverlay(const QWidget* widget) const {
    // Across windows too: a popup or dialog of the pane belongs to it.
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == m_overlay)
            return true;
    return false;
}

void AutoHideDocks::onFocusChanged(QWidget*, QWidget* now) {
    if (!m_out || !now || isInsideOverlay(now))
        return;
    if (const Entry* entry = find(m_out); entry && entry->tab == now)
        return;
    slideIn();
}

void AutoHideDocks::hoverTab(AutoHideTab* tab, bool entered) {
    if (entered && tab->dock() != m_out) {
        m_hovered = tab;
        m_hoverTimer->start();
    } else if (!entered && m_hovered == tab) {
        m_hoverTimer->stop();
        m_hovered = nullptr;
    }
}
