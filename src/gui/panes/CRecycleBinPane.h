#pragma once

#include <QWidget>

class CommandRegistry;
class QTreeView;
class RecycleBinModel;

// The recycle bin pane: deleted items and materials, newest on top, to be
// restored (F11) or cleared for good (Del).
class CRecycleBinPane : public QWidget {
    Q_OBJECT
public:
    CRecycleBinPane(RecycleBinModel& model, CommandRegistry& commands, QWidget* parent = nullptr);

    QTreeView* view() const { return m_view; }

private:
    int selectedRow() const;
    void showContextMenu(const QPoint& pos);

    RecycleBinModel& m_model;
    CommandRegistry& m_commands;
    QTreeView* m_view;
};
