#include "COpenMaterialsPane.h"

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

// Every row is an open material; the icon column says so at a glance.
class OpenIconDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == MaterialTableModel::IconColumn) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->icon = Icons::openMaterial();
        }
    }
};

} // namespace

COpenMaterialsPane::COpenMaterialsPane(MaterialPanes& panes, CommandRegistry& commands,
                                       QWidget* parent)
    : QWidget(parent), m_panes(panes), m_model(panes.openMaterials()), m_commands(commands),
      m_view(new QTreeView(this)) {
    setObjectName(QStringLiteral("COpenMaterialsPane"));
    SetUpRowList(m_view, &m_model, QStringLiteral("openMaterials"), new OpenIconDelegate(m_view),
                 {26, 160, 240, 60, 70, 90, 60, 140, 160, 110, 60, 60, 200});
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            &COpenMaterialsPane::showContextMenu);
    connect(m_view, &QAbstractItemView::doubleClicked, this,
            [this] { m_commands.trigger(FocusOpenMaterial); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    defineCommands();
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, &m_commands,
            &CommandRegistry::updateEnabled);
    // Rows go when their windows close, often while another pane has the focus.
    connect(&m_model, &QAbstractItemModel::rowsRemoved, &m_commands,
            &CommandRegistry::updateEnabled);
    connect(&m_model, &QAbstractItemModel::modelReset, &m_commands,
            &CommandRegistry::updateEnabled);
}

int COpenMaterialsPane::selectedRow() const {
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void COpenMaterialsPane::defineCommands() {
    const auto local = Qt::WidgetWithChildrenShortcut;
    const struct {
        int id;
        const char* text;
        QKeySequence key;
    } commands[] = {
        {FocusOpenMaterial, "焦点显示", QKeySequence(Qt::Key_Return)},
        {CloseOpenMaterial, "关闭", QKeySequence(Qt::Key_F7)},
        {DockOpenMaterial, "加入停靠站", {}},
        {CutOpenMaterial, "剪切", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {DeleteOpenMaterial, "删除", QKeySequence(Qt::Key_Delete)},
    };
    for (const auto& c : commands)
        m_view->addAction(m_commands.define(c.id, QString::fromUtf8(c.text), c.key, local));
    m_commands.action(FocusOpenMaterial)
        ->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});

    const auto hasRow = [this] { return selectedRow() >= 0; };
    const auto selected = [this] { return m_model.materialAt(selectedRow()); };
    m_commands.setHandler(
        FocusOpenMaterial, [this, selected] { Q_EMIT focusRequested(selected()); }, hasRow);
    m_commands.setHandler(
        CloseOpenMaterial, [this, selected] { Q_EMIT closeRequested(selected()); }, hasRow);
    m_commands.setHandler(
        DockOpenMaterial, [this, selected] { m_panes.dockMaterial(selected()); }, hasRow);
    m_commands.setHandler(
        CutOpenMaterial, [this] { m_model.cut(selectedRow()); }, hasRow);
    m_commands.setHandler(
        DeleteOpenMaterial, [this, selected] { m_panes.service().recycle(selected()); }, hasRow);
}

void COpenMaterialsPane::showContextMenu(const QPoint& pos) {
    const QModelIndex at = m_view->indexAt(pos);
    if (at.isValid())
        m_view->setCurrentIndex(at);
    m_commands.updateEnabled();
    QMenu menu(this);
    for (int id : {FocusOpenMaterial, CloseOpenMaterial})
        menu.addAction(m_commands.action(id));
    menu.addSeparator();
    menu.addAction(m_commands.action(DockOpenMaterial));
    menu.addSeparator();
    for (int id : {DeleteOpenMaterial, CutOpenMaterial})
        menu.addAction(m_commands.action(id));
    menu.exec(m_view->viewport()->mapToGlobal(pos));
}
