#include "CMaterialPane.h"

#include "RowListView.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "commands/Icons.h"
#include "dialogs/CCustomTimeDlg.h"
#include "materials/MaterialPanes.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace CommandIds;

namespace {

// The first column shows what kind of description the material has.
class MaterialIconDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == MaterialTableModel::IconColumn) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->icon = Icons::material();
        }
    }
};

} // namespace

CMaterialPane::CMaterialPane(MaterialPanes& panes, CommandRegistry& commands, Profile& profile,
                             Prompter& prompter, std::function<QString()> typeText, QWidget* parent)
    : QWidget(parent), m_panes(panes), m_list(panes.list()), m_commands(commands),
      m_profile(profile), m_prompter(prompter), m_typeText(std::move(typeText)),
      m_view(new QTreeView(this)), m_pageBox(new QComboBox(this)), m_types(new QActionGroup(this)),
      m_times(new QActionGroup(this)) {
    setObjectName(QStringLiteral("CMaterialPane"));
    SetUpRowList(m_view, &m_list, QStringLiteral("materialList"), new MaterialIconDelegate(m_view),
                 {26, 180, 260, 60, 70, 90, 60, 140, 160, 110, 60, 60, 200});
    connect(m_view, &QWidget::customContextMenuRequested, this, &CMaterialPane::showContextMenu);
    connect(m_view, &QAbstractItemView::doubleClicked, this,
            [this] { m_commands.trigger(OpenMaterial); });
    // The selection, not the current row: a click moves the current row
    // before it selects, and the commands would see no selected material.
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        m_commands.updateEnabled();
        if (selectedRow() >= 0)
            Q_EMIT materialSelected(m_list.materialAt(selectedRow()));
    });

    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setMinimumContentsLength(6);
    m_pageBox->setToolTip(QStringLiteral("选择页"));
    connect(m_pageBox, &QComboBox::activated, this,
            [this](int index) { m_list.choosePageEntry(m_pageBox->itemText(index)); });
    connect(&m_list, &MaterialListModel::pagesChanged, this, &CMaterialPane::refreshPages);

    defineCommands();
    defineFilterCommands();

    auto* bar = new QToolBar(this);
    bar->setIconSize(QSize(16, 16));
    auto* filter = new QToolButton(bar);
    filter->setText(QStringLiteral("过滤"));
    filter->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(filter);
    menu->addActions(m_types->actions());
    menu->addSeparator();
    menu->addActions(m_times->actions());
    filter->setMenu(menu);
    filter->setDefaultAction(m_commands.action(ApplyFilter));
    filter->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(filter);
    bar->addSeparator();
    bar->addAction(m_commands.action(PreviousPage));
    bar->addWidget(m_pageBox);
    bar->addAction(m_commands.action(NextPage));
    bar->addSeparator();
    bar->addAction(m_commands.action(NewMaterial));
    bar->addAction(m_commands.action(OpenMaterial));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    refreshPages();
}

int CMaterialPane::selectedRow() const {
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void CMaterialPane::defineCommands() {
    const auto local = Qt::WidgetWithChildrenShortcut;
    const struct {
        int id;
        const char* text;
        QKeySequence key;
    } commands[] = {
        {OpenMaterial, "打开", QKeySequence(Qt::Key_Return)},
        {NewMaterial, "新建资料", QKeySequence(Qt::Key_Insert)},
        {AddDescriptionFile, "添加描述文件", {}},
        {RemoveDescriptionFile, "删除描述文件", {}},
        {DockMaterial, "加入停靠站", {}},
        {CutMaterial, "剪切", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {DeleteMaterial, "删除", QKeySequence(Qt::Key_Delete)},
        {ClearMaterialList, "清空列表", {}},
    };
    for (const auto& c : commands)
        m_view->addAction(m_commands.define(c.id, QString::fromUtf8(c.text), c.key, local));

    const auto hasRow = [this] { return selectedRow() >= 0; };
    const auto selected = [this] { return m_list.materialAt(selectedRow()); };
    m_commands.setHandler(
        OpenMaterial, [this, selected] { Q_EMIT openRequested(selected()); }, hasRow);
    m_commands.setHandler(NewMaterial, [this] { Q_EMIT newMaterialRequested(); });
    // A material without a description shows its web pages, so only such a
    // material can gain one, and only a described one can lose it.
    const auto webPagesOnly = [this, hasRow, selected] {
        return hasRow() && selected().DescribeFileType == QLatin1String("1");
    };
    const auto described = [this, hasRow, selected] {
        return hasRow() && selected().DescribeFileType != QLatin1String("1");
    };
    m_commands.setHandler(
        AddDescriptionFile, [this] { addDescription(); }, webPagesOnly);
    m_commands.setHandler(
        RemoveDescriptionFile, [this] { removeDescription(); }, described);
    m_commands.setHandler(
        DockMaterial, [this, selected] { m_panes.dockMaterial(selected()); }, hasRow);
    m_commands.setHandler(
        CutMaterial, [this] { m_list.cut(selectedRow()); }, hasRow);
    m_commands.setHandler(
        DeleteMaterial, [this, selected] { m_panes.service().recycle(selected()); }, hasRow);
    m_commands.setHandler(
        ClearMaterialList, [this] { m_list.clearList(); },
        [this] { return m_list.rowCount() > 0; });
}

void CMaterialPane::addDescription() {
    const int row = selectedRow();
    if (row >= 0 && m_panes.service().addDescription(m_list.materialAt(row), m_typeText()))
        Q_EMIT descriptionChanged(m_list.materialAt(row));
}

void CMaterialPane::removeDescription() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const MaterialRecord material = m_list.materialAt(row);
    if (material.MinuItemName.isEmpty() || material.DescribeFileType == QLatin1String("1"))
        return;
    // The description's editor goes first, by its ordinary close: a document
    // the user keeps open keeps its file, and none is saved after the delete.
    if (m_closeWindows && !m_closeWindows(material))
        return;
    if (m_panes.service().removeDescription(material))
        Q_EMIT descriptionChanged(m_list.materialAt(row));
}

void CMaterialPane::defineFilterCommands() {
    using Type = MaterialListFilter::Type;
    using Time = MaterialListFilter::Time;
    m_commands.define(ApplyFilter, QStringLiteral("过滤"));
    m_commands.setHandler(ApplyFilter, [this] { m_list.apply(); });

    const struct {
        int id;
        const char* text;
        Type type;
    } types[] = {{FilterAllTypes, "全部类型", Type::All},
                 {FilterWebPages, "网页描述类型", Type::WebPages},
                 {FilterOtherTypes, "非网页描述类型", Type::Other}};
    for (const auto& t : types) {
        QAction* action = m_commands.define(t.id, QString::fromUtf8(t.text));
        action->setCheckable(true);
        action->setChecked(t.type == m_list.filter().type());
        m_types->addAction(action);
        m_commands.setHandler(t.id, [this, type = t.type] { m_list.setTypeFilter(type); });
    }
    const struct {
        int id;
        const char* text;
        Time time;
    } times[] = {{FilterNoTime, "不限时间", Time::None},
                 {FilterSinceYesterday, "昨天至今", Time::SinceYesterday},
                 {FilterSinceThreeDays, "三天前至今", Time::SinceThreeDays},
                 {FilterSinceAWeek, "一个星期前至今", Time::SinceAWeek},
                 {FilterSinceAMonth, "一个月前至今", Time::SinceAMonth},
                 {FilterSinceThreeMonths, "三个月前至今", Time::SinceThreeMonths},
                 {FilterSinceHalfAYear, "半年前至今", Time::SinceHalfAYear},
                 {FilterSinceAYear, "一年前至今", Time::SinceAYear},
                 {FilterCustomTime, "自定义过滤时间", Time::Custom}};
    for (const auto& t : times) {
        QAction* action = m_commands.define(t.id, QString::fromUtf8(t.text));
        action->setCheckable(true);
        action->setChecked(t.time == m_list.filter().timeChoice());
        m_times->addAction(action);
        if (t.time == Time::Custom)
            m_commands.setHandler(t.id, [this] { chooseCustomTime(); });
        else
            m_commands.setHandler(t.id, [this, time = t.time] { m_list.setTimeChoice(time); });
    }

    m_commands.define(PreviousPage, QStringLiteral("上一页"));
    m_commands.setHandler(
        PreviousPage, [this] { m_list.previousPage(); }, [this] { return m_list.canGoPrevious(); });
    m_commands.define(NextPage, QStringLiteral("下一页"));
    m_commands.setHandler(
        NextPage, [this] { m_list.nextPage(); }, [this] { return m_list.canGoNext(); });
}

void CMaterialPane::chooseCustomTime() {
    CCustomTimeDlg dialog(m_profile, m_prompter, this);
    if (dialog.exec() == QDialog::Accepted)
        m_list.setCustomTime(CustomTimeFilter::Read(m_profile));
    // The check marks follow what the list filters by, whether or not OK.
    for (QAction* action : m_times->actions())
        action->setChecked(action == m_commands.action(FilterCustomTime)
                               ? m_list.filter().timeChoice() == MaterialListFilter::Time::Custom
                               : action->isChecked());
}

void CMaterialPane::refreshPages() {
    m_pageBox->clear();
    m_pageBox->addItems(m_list.pageEntries());
    m_pageBox->setCurrentIndex(m_list.currentPage() - 1);
    m_commands.updateEnabled();
}

void CMaterialPane::showContextMenu(const QPoint& pos) {
    const QModelIndex at = m_view->indexAt(pos);
    if (at.isValid())
        m_view->setCurrentIndex(at);
    m_commands.updateEnabled();
    QMenu menu(this);
    for (int id : {OpenMaterial, NewMaterial})
        menu.addAction(m_commands.action(id));
    menu.addSeparator();
    for (int id : {AddDescriptionFile, RemoveDescriptionFile, DockMaterial})
        menu.addAction(m_commands.action(id));
    menu.addSeparator();
    for (int id : {CutMaterial, DeleteMaterial, ClearMaterialList})
        menu.addAction(m_commands.action(id));
    menu.exec(m_view->viewport()->mapToGlobal(pos));
}
