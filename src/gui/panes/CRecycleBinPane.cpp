#include "CRecycleBinPane.h"

#include "RowListView.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "commands/Icons.h"
#include "store/RecycleBinModel.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The first column shows the row's kind as an icon.
class KindIconDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == RecycleBinModel::IconColumn) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->icon = Icons::forRecycleKind(index.data(Qt::UserRole).toString());
        }
    }
};

} // namespace

CRecycleBinPane::CRecycleBinPane(RecycleBinModel& model, CommandRegistry& commands, QWidget* parent)
    : QWidget(parent), m_model(model), m_commands(commands), m_view(new QTreeView(this)) {
    setObjectName(QStringLiteral("CRecycleBinPane"));
    SetUpRowList(m_view, &model, QStringLiteral("recycleBin"), new KindIconDelegate(m_view),
                 {26, 140, 80, 260, 140, 60, 70, 140});
    connect(m_view, &QWidget::customContextMenuRequested, this, &CRecycleBinPane::showContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    using namespace CommandIds;
    const auto local = Qt::WidgetWithChildrenShortcut;
    m_view->addAction(m_commands.define(RestoreRecycled, QStringLiteral("还原"),
                                        QKeySequence(Qt::Key_F11), local));
    m_view->addAction(m_commands.define(ClearRecycled, QStringLiteral("清除"),
                                        QKeySequence(Qt::Key_Delete), local));
    const auto hasRow = [this] { return selectedRow() >= 0; };
    m_commands.setHandler(
        RestoreRecycled, [this] { m_model.restore(selectedRow()); }, hasRow);
    m_commands.setHandler(
        ClearRecycled, [this] { clearSelected(); }, hasRow);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, &m_commands,
            &CommandRegistry::updateEnabled);
}

void CRecycleBinPane::clearSelected() {
    if (!m_clearRunner) {
        m_model.clearRow(selectedRow());
        return;
    }
    if (const std::optional<ClearTarget> target = m_model.confirmClear(selectedRow()))
        m_clearRunner(*target);
}

int CRecycleBinPane::selectedRow() const {
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void CRecycleBinPane::showContextMenu(const QPoint& pos) {
    const QModelIndex at = m_view->indexAt(pos);
    if (at.isValid())
        m_view->setCurrentIndex(at);
    m_commands.updateEnabled();
    QMenu menu(this);
    menu.addAction(m_commands.action(CommandIds::RestoreRecycled));
    menu.addAction(m_commands.action(CommandIds::ClearRecycled));
    menu.exec(m_view->viewport()->mapToGlobal(pos));
}
