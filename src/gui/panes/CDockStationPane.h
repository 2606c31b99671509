#pragma once

#include "store/MaterialRecord.h"

#include <QWidget>

class CommandRegistry;
class DockStationModel;
class MaterialPanes;
class QTreeView;

// The dock station pane: the materials the user pinned, of any base, to be
// opened (Enter, double click) or taken off the station (Del).
class CDockStationPane : public QWidget {
    Q_OBJECT
public:
    CDockStationPane(MaterialPanes& panes, CommandRegistry& commands, QWidget* parent = nullptr);

    QTreeView* view() const { return m_view; }

Q_SIGNALS:
    // Open of a row: whether and how it opens depends on the windows the
    // frame holds (DockStationModel::decideOpen takes the row).
    void openRequested(int row, const MaterialRecord& material, const QString& dockTime);

private:
    int selectedRow() const;
    void removeSelected();
    void showContextMenu(const QPoint& pos);

    MaterialPanes& m_panes;
    DockStationModel& m_model;
    CommandRegistry& m_commands;
    QTreeView* m_view;
};
