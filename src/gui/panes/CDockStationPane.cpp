#include "CDockStationPane.h"

#include "RowListView.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "commands/Icons.h"
#include "materials/MaterialPanes.h"

#include <QAction>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

using namespace CommandIds;

namespace {

// The first column tells whether the material was open when it was docked.
class DockIconDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == DockStationModel::IconColumn) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->icon = index.data(DockStationModel::OpenWhenDockedRole).toBool()
                               ? Icons::openMaterial()
                               : Icons::material();
        }
    }
};

} // namespace

CDockStationPane::CDockStationPane(MaterialPanes& panes, CommandRegistry& commands, QWidget* parent)
    : QWidget(parent), m_panes(panes), m_model(panes.dock()), m_commands(commands),
      m_view(new QTreeView(this)) {
    setObjectName(QStringLiteral("CDockStationPane"));
    SetUpRowList(m_view, &m_model, QStringLiteral("dockStation"), new DockIconDelegate(m_view),
                 {26, 160, 240, 140, 60, 70, 90, 60, 140, 160, 110, 60, 60, 200});
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_view, &QWidget::customContextMenuRequested, this, &CDockStationPane::showContextMenu);
    connect(m_view, &QAbstractItemView::doubleClicked, this,
            [this] { m_commands.trigger(OpenDocked); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    const auto local = Qt::WidgetWithChildrenShortcut;
    QAction* open =
        m_commands.define(OpenDocked, QStringLiteral("打开"), QKeySequence(Qt::Key_Return), local);
    open->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    m_view->addAction(open);
    m_view->addAction(m_commands.define(RemoveDocked, QStringLiteral("从停靠站移除"),
                                        QKeySequence(Qt::Key_Delete), local));
    const auto hasRow = [this] { return selectedRow() >= 0; };
    m_commands.setHandler(
        OpenDocked,
        [this] {
            const int row = selectedRow();
            Q_EMIT openRequested(row, m_model.materialAt(row), m_model.dockTimeAt(row));
        },
        hasRow);
    m_commands.setHandler(
        RemoveDocked, [this] { removeSelected(); }, hasRow);

    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, &m_commands,
            &CommandRegistry::updateEnabled);
    // Rows also go when a material is deleted elsewhere or a base removed.
    connect(&m_model, &QAbstractItemModel::rowsRemoved, &m_commands,
            &CommandRegistry::updateEnabled);
    connect(&m_model, &QAbstractItemModel::modelReset, &m_commands,
            &CommandRegistry::updateEnabled);
}

int CDockStationPane::selectedRow() const {
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void CDockStationPane::removeSelected() {
    const int row = selectedRow();
    m_panes.service().undock(m_model.entryAt(row).Material);
    // The next row takes the removed one's place, so Del can be pressed again.
    const int next = qMin(row, m_model.rowCount() - 1);
    if (next >= 0)
        m_view->setCurrentIndex(m_model.index(next, DockStationModel::NameColumn));
}

void CDockStationPane::showContextMenu(const QPoint& pos) {
    const QModelIndex at = m_view->indexAt(pos);
    if (at.isValid())
        m_view->setCurrentIndex(at);
    m_commands.updateEnabled();
    QMenu menu(this);
    menu.addAction(m_commands.action(OpenDocked));
    menu.addAction(m_commands.action(RemoveDocked));
    menu.exec(m_view->viewport()->mapToGlobal(pos));
}
