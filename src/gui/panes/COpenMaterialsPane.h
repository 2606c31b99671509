#pragma once

#include "store/MaterialRecord.h"

#include <QWidget>

class CommandRegistry;
class MaterialPanes;
class OpenMaterialsModel;
class QTreeView;

// The currently open materials pane: a row per material window. Focus and
// Close act on windows, which the frame owns; Add to dock station, Cut and
// Delete act on the material as the material list's commands do.
class COpenMaterialsPane : public QWidget {
    Q_OBJECT
public:
    COpenMaterialsPane(MaterialPanes& panes, CommandRegistry& commands, QWidget* parent = nullptr);

    QTreeView* view() const { return m_view; }

Q_SIGNALS:
    void focusRequested(const MaterialRecord& material);
    // The row goes once the window has closed (OpenMaterialsModel::closed).
    void closeRequested(const MaterialRecord& material);

private:
    int selectedRow() const;
    void defineCommands();
    void showContextMenu(const QPoint& pos);

    MaterialPanes& m_panes;
    OpenMaterialsModel& m_model;
    CommandRegistry& m_commands;
    QTreeView* m_view;
};
