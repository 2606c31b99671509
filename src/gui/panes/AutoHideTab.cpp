#include "AutoHideTab.h"

#include <QDockWidget>
#include <QStyleOptionToolButton>
#include <QStylePainter>

AutoHideTab::AutoHideTab(QDockWidget* dock, bool vertical, QWidget* parent)
    : QToolButton(parent), m_dock(dock), m_vertical(vertical) {
    setObjectName(QStringLiteral("AutoHideTab_%1").arg(dock->objectName()));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setAutoRaise(true);
    setCheckable(true); // checked while its pane is out
    refresh();
}

QDockWidget* AutoHideTab::dock() const {
    return m_dock;
}

void AutoHideTab::refresh() {
    if (!m_dock)
        return;
    setText(m_dock->windowTitle());
    setToolTip(m_dock->windowTitle());
    setIcon(m_dock->windowIcon());
    // A bar on the left or right stretches its widgets across to a square.
    if (m_vertical)
        setFixedWidth(sizeHint().width());
    updateGeometry();
}

QSize AutoHideTab::sizeHint() const {
    const QSize hint = QToolButton::sizeHint();
    return m_vertical ? hint.transposed() : hint;
}

QSize AutoHideTab::minimumSizeHint() const {
    const QSize hint = QToolButton::minimumSizeHint();
    return m_vertical ? hint.transposed() : hint;
}

void AutoHideTab::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    if (m_vertical) {
        // Turned a quarter clockwise: the title reads downwards on both edges.
        painter.translate(width(), 0);
        painter.rotate(90);
        option.rect = option.rect.transposed();
    }
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

void AutoHideTab::enterEvent(QEnterEvent* event) {
    QToolButton::enterEvent(event);
    Q_EMIT hovered(true);
}

void AutoHideTab::leaveEvent(QEvent* event) {
    QToolButton::leaveEvent(event);
    Q_EMIT hovered(false);
}
