#include "CChildHtmlFrame.h"

#include "documents/CHtmlViewsView.h"

CChildHtmlFrame::CChildHtmlFrame(CHtmlViewsView* view, QWidget* parent)
    : QMdiSubWindow(parent), m_view(view) {
    setWidget(view);
    setAttribute(Qt::WA_DeleteOnClose);
    // Queued: the page is still inside its own call when it asks.
    connect(view, &CHtmlViewsView::closeRequested, this, &QWidget::close, Qt::QueuedConnection);
}
