#pragma once

#include <QMdiSubWindow>

class CHtmlViewsView;

// The tab of a web window. It goes when the page closes its own window (a
// page script calling window.close()), as a window of the browser would.
class CChildHtmlFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildHtmlFrame(CHtmlViewsView* view, QWidget* parent = nullptr);

    CHtmlViewsView* view() const { return m_view; }

private:
    CHtmlViewsView* m_view;
};
