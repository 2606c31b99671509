#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <array>
#include <vector>

class AutoHideTab;
class QAction;
class QDockWidget;
class QFrame;
class QLabel;
class QMainWindow;
class QMenu;
class QPropertyAnimation;
class QTimer;
class QToolBar;
class QWidget;

// Auto-hide for the panes of a main window, as the user knows it from other
// desktop programs: a pane the user pins away gives its room in the dock area
// to the documents and leaves a tab on the window's edge; the tab slides the
// pane out over the documents when the user needs it, and the pane slides
// back as soon as the user works elsewhere.
//
// The dock widget of an auto-hidden pane stays in the main window's layout,
// hidden, so that it comes back into its old place (its split, its tab group)
// when it is docked again. Only its content is lent to the sliding overlay.
class AutoHideDocks : public QObject {
    Q_OBJECT
    // The signal's dock is then known as a QObject to spies and queued connections.
    Q_MOC_INCLUDE(<QDockWidget>)
public:
    explicit AutoHideDocks(QMainWindow* window);
    ~AutoHideDocks() override;

    // Collapses the pane to a tab on the window edge of the dock area it is
    // docked in, or puts it back docked where it was.
    void setAutoHide(QDockWidget* dock, bool on);
    bool isAutoHidden(const QDockWidget* dock) const;
    // Every open pane that is not auto-hidden yet; closed panes stay closed.
    void autoHideAll();

    // Shows an auto-hidden pane over the window, from its edge, with the size
    // it had docked; it slides back when the focus goes elsewhere or on Escape.
    void slideOut(QDockWidget* dock);
    void slideIn();
    QDockWidget* slidOut() const;

    // The auto-hidden panes by object name, with their edge and docked size.
    QByteArray saveState() const;
    // False on a state it cannot read, and then nothing changes.
    bool restoreState(const QByteArray& state);

    // "浮动", "停靠", "自动隐藏", "隐藏" for the pane, as they apply now.
    QMenu* paneMenu(QDockWidget* dock, QWidget* parent);
    // Gives the pane's title bar the pane menu; call once for each pane.
    void manage(QDockWidget* dock);

    // The tab standing for an auto-hidden pane, or nullptr.
    QWidget* tabOf(const QDockWidget* dock) const;

Q_SIGNALS:
    void autoHideChanged(QDockWidget* dock, bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QDockWidget* key = nullptr; // compared only, also after the dock is gone
        QPointer<QDockWidget> dock;
        Qt::DockWidgetArea area = Qt::LeftDockWidgetArea;
        int extent = 0; // width for left and right, height for top and bottom
        QPointer<AutoHideTab> tab;
        QPointer<QAction> tabAction; // deleting it takes the tab off its bar
    };

    Entry* find(const QDockWidget* dock);
    const Entry* find(const QDockWidget* dock) const;
    void collapse(QDockWidget* dock, Qt::DockWidgetArea area, int extent);
    // A floating pane, or one outside every area, is docked first: a tab
    // belongs to an edge.
    Qt::DockWidgetArea dockInArea(QDockWidget* dock);
    // Takes the pane out of the auto-hidden set; shows it docked when asked.
    void release(QDockWidget* dock, bool show);
    void forgetDestroyed(QObject* dock);
    QToolBar* barFor(Qt::DockWidgetArea area) const;
    void updateBars();
    void closePane(QDockWidget* dock);

    void createOverlay();
    QRect overlayRect(const Entry& entry, bool collapsed) const;
    // Ends a slide at once: the overlay hides and the content goes home.
    void finishSlideIn();
    void returnContent();
    bool isInsideOverlay(const QWidget* widget) const;
    void onFocusChanged(QWidget* old, QWidget* now);
    void hoverTab(AutoHideTab* tab, bool entered);
    void showTitleBarMenu(QDockWidget* dock, const QPoint& pos);

    QMainWindow* m_window;
    std::array<QToolBar*, 4> m_bars{};
    std::vector<Entry> m_entries;

    QFrame* m_overlay = nullptr;
    QLabel* m_overlayTitle = nullptr;
    QPropertyAnimation* m_animation = nullptr;
    QPointer<QDockWidget> m_out;
    bool m_closing = false;
    QPointer<QDockWidget> m_lentTo;
    const QObject* m_lentKey = nullptr; // compared only, also after the dock is gone
    QPointer<QWidget> m_lentContent;
    QPointer<QWidget> m_focusBefore;

    QTimer* m_hoverTimer = nullptr;
    QPointer<AutoHideTab> m_hovered;
    std::vector<QPointer<QDockWidget>> m_managed;
};
