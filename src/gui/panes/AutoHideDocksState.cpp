#include "AutoHideDocks.h"

#include <QDataStream>
#include <QDockWidget>
#include <QIODevice>
#include <QMainWindow>

namespace {

constexpr quint32 kMagic = 0x4b414844; // "KAHD"
constexpr quint8 kVersion = 1;
// Far more panes than any window has; a count beyond it is not a saved state.
constexpr quint32 kMostPanes = 1000;

struct SavedPane {
    QString name;
    Qt::DockWidgetArea area;
    int extent;
};

bool isDockArea(qint32 area) {
    return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea ||
           area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
}

} // namespace

QByteArray AutoHideDocks::saveState() const {
    QByteArray state;
    QDataStream out(&state, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    std::vector<const Entry*> named;
    for (const Entry& entry : m_entries)
        if (entry.dock && !entry.dock->objectName().isEmpty())
            named.push_back(&entry);
    out << kMagic << kVersion << quint32(named.size());
    for (const Entry* entry : named)
        out << entry->dock->objectName() << qint32(entry->area) << qint32(entry->extent);
    return state;
}

bool AutoHideDocks::restoreState(const QByteArray& state) {
    QDataStream in(state);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint8 version = 0;
    quint32 count = 0;
    in >> magic >> version >> count;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion ||
        count > kMostPanes)
        return false;
    // Read whole before anything changes: a damaged state changes nothing.
    std::vector<SavedPane> saved;
    for (quint32 i = 0; i < count; ++i) {
        QString name;
        qint32 area = 0;
        qint32 extent = 0;
        in >> name >> area >> extent;
        if (in.status() != QDataStream::Ok || name.isEmpty() || !isDockArea(area) || extent < 0)
            return false;
        saved.push_back({name, Qt::DockWidgetArea(area), extent});
    }
    if (!in.atEnd())
        return false;

    finishSlideIn();
    const auto savedAs = [&saved](const QDockWidget* dock) -> const SavedPane* {
        for (const SavedPane& pane : saved)
            if (pane.name == dock->objectName())
                return &pane;
        return nullptr;
    };
    // Panes no longer in the set go back docked, as setAutoHide(false) does;
    // a pane to hide on another edge is let go first.
    std::vector<QPointer<QDockWidget>> leaving;
    for (const Entry& entry : m_entries) {
        const SavedPane* pane = entry.dock ? savedAs(entry.dock) : nullptr;
        if (entry.dock && (!pane || pane->area != entry.area))
            leaving.emplace_back(entry.dock);
    }
    for (const QPointer<QDockWidget>& dock : leaving)
        if (dock)
            release(dock, !savedAs(dock));

    const QList<QDockWidget*> docks = m_window->findChildren<QDockWidget*>();
    for (QDockWidget* dock : docks) {
        const SavedPane* pane = savedAs(dock);
        if (!pane || dock->parentWidget() != m_window)
            continue;
        if (Entry* entry = find(dock)) {
            entry->extent = pane->extent;
            continue;
        }
        // The window's own restoreState may have put it elsewhere since.
        if (dock->isFloating())
            dock->setFloating(false);
        if (m_window->dockWidgetArea(dock) != pane->area)
            m_window->addDockWidget(pane->area, dock);
        collapse(dock, pane->area, pane->extent);
    }
    return true;
}
