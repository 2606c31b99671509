#pragma once

#include <QPointer>
#include <QToolButton>

class QDockWidget;

// The tab an auto-hidden pane leaves on the window's edge: the pane's title
// and icon, read top to bottom on the left and right edges so that the bar
// there stays as slim as a scroll bar.
class AutoHideTab : public QToolButton {
    Q_OBJECT
public:
    AutoHideTab(QDockWidget* dock, bool vertical, QWidget* parent = nullptr);

    QDockWidget* dock() const;
    // Follows the pane's title and icon.
    void refresh();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void hovered(bool entered);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPointer<QDockWidget> m_dock;
    bool m_vertical;
};
