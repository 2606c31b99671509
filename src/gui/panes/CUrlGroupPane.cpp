#include "CUrlGroupPane.h"

#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "web/UrlGroups.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace CommandIds;

CUrlGroupPane::CUrlGroupPane(UrlGroups& urls, CommandRegistry& commands, QWidget* parent)
    : QWidget(parent), m_urls(urls), m_commands(commands), m_groupBox(new QComboBox(this)),
      m_toolBar(new QToolBar(this)), m_list(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("CUrlGroupPane"));
    m_groupBox->setObjectName(QStringLiteral("urlGroups"));
    m_list->setObjectName(QStringLiteral("urlList"));
    m_list->setHeaderLabels({QStringLiteral(" "), QStringLiteral("标题"), QStringLiteral("网址"),
                             QStringLiteral("加入时间"), QStringLiteral("ID"),
                             QStringLiteral("组ID")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setIconSize(QSize(16, 16));
    const int widths[] = {24, 140, 220, 140, 40, 44};
    for (int column = IconColumn; column <= GroupIdColumn; ++column)
        m_list->setColumnWidth(column, widths[column]);
    for (int column : {IconColumn, IdColumn, GroupIdColumn})
        m_list->header()->setSectionResizeMode(column, QHeaderView::Fixed);
    m_toolBar->setIconSize(QSize(16, 16));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_groupBox);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_list);

    defineCommands();
    connect(m_groupBox, &QComboBox::activated, this,
            [this](int index) { chooseGroup(m_groupBox->itemText(index)); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CUrlGroupPane::followSelection);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CUrlGroupPane::showContextMenu);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { m_commands.trigger(OpenUrl); });
    m_list->viewport()->installEventFilter(this);
}

void CUrlGroupPane::fill() {
    m_currentGroup.clear();
    fillGroupBox(UrlGroups::kAllUrls);
    listEntries();
}

void CUrlGroupPane::fillGroupBox(const QString& selected) {
    const QSignalBlocker quiet(m_groupBox);
    m_groupBox->clear();
    m_groupBox->addItems(m_urls.groupChoices());
    m_groupBox->setCurrentIndex(qMax(0, m_groupBox->findText(selected)));
}

void CUrlGroupPane::listEntries(const QString& selectId) {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_FileLinkIcon);
    for (const UrlRecord& e : m_urls.entriesShown(m_currentGroup)) {
        auto* row = new QTreeWidgetItem(
            m_list, {QString(), e.Title, e.Address, e.TimeAdded, e.ID, e.GroupID});
        row->setIcon(IconColumn, icon);
        if (!selectId.isEmpty() && e.ID == selectId)
            row->setSelected(true);
    }
    followSelection();
}

void CUrlGroupPane::chooseGroup(const QString& name) {
    if (name == m_currentGroup)
        return;
    m_currentGroup = name;
    m_pastePossible = m_urls.cutEntry().has_value();
    listEntries();
}

bool CUrlGroupPane::oneSelected() const {
    return m_list->selectedItems().size() == 1;
}

UrlRecord CUrlGroupPane::selectedEntry() const {
    const QList<QTreeWidgetItem*> rows = m_list->selectedItems();
    if (rows.size() != 1)
        return {};
    const QTreeWidgetItem* row = rows.first();
    return {row->text(IdColumn), row->text(GroupIdColumn), row->text(TimeColumn),
            row->text(TitleColumn), row->text(AddressColumn)};
}

void CUrlGroupPane::followSelection() {
    m_oneSelected = oneSelected();
    m_realGroupShown = UrlGroups::isRealGroup(m_currentGroup);
    if (m_oneSelected) {
        const UrlRecord row = selectedEntry();
        m_clickedTitle = row.Title;
        m_clickedAddress = row.Address;
        if (m_dialog && m_dialog->mode() == CUrlEditDlg::Mode::Modify) {
            m_modifyingId = row.ID;
            m_dialog->setFields(row.Title, row.Address);
        }
    } else {
        m_clickedTitle.clear();
        m_clickedAddress.clear();
        m_modifyingId.clear();
        if (m_dialog && m_dialog->mode() == CUrlEditDlg::Mode::Modify)
            cancelDialog();
    }
    m_commands.updateEnabled();
}

void CUrlGroupPane::followClick(bool rightClick) {
    followSelection();
    m_pastePossible = m_urls.cutEntry().has_value() && (rightClick || m_realGroupShown);
    m_commands.updateEnabled();
}

bool CUrlGroupPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        followClick(false);
    return QWidget::eventFilter(watched, event);
}

void CUrlGroupPane::showContextMenu(const QPoint& pos) {
    followClick(true);
    QMenu menu(this);
    const bool cutPending = m_urls.cutEntry().has_value();
    const struct {
        int id;
        bool shown;
    } items[] = {
        {OpenUrl, m_oneSelected},
        {NewUrl, true},
        {CutUrl, m_oneSelected},
        {PasteUrl, cutPending},
        {DeleteUrl, m_oneSelected},
        {ModifyUrl, m_oneSelected},
        {NewUrlGroup, true},
        {DeleteUrlGroup, m_realGroupShown},
        {RenameUrlGroup, m_realGroupShown},
    };
    for (const auto& item : items) {
        if (item.shown)
            menu.addAction(m_commands.action(item.id));
    }
    menu.exec(m_list->viewport()->mapToGlobal(pos));
}
