#pragma once

#include "store/ClearResult.h"

#include <QWidget>
#include <functional>

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
    // Who runs a confirmed clear; without one the model clears at once.
    using ClearRunner = std::function<void(const ClearTarget&)>;
    void setClearRunner(ClearRunner runner) { m_clearRunner = std::move(runner); }

private:
    int selectedRow() const;
    void showContextMenu(const QPoint& pos);
    void clearSelected();

    RecycleBinModel& m_model;
    CommandRegistry& m_commands;
    QTreeView* m_view;
    ClearRunner m_clearRunner;
};
