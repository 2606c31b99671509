#include "CPropertiesPane.h"

#include "PropertyGridDelegate.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "commands/Icons.h"
#include "materials/MaterialProperties.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace CommandIds;

namespace {

const QString kKeywordCategory = QStringLiteral("查询关键字");
constexpr int KindRole = Qt::UserRole + 1;
constexpr int DescriptionRole = Qt::UserRole + 2;

} // namespace

CPropertiesPane::CPropertiesPane(MaterialProperties& properties, CommandRegistry& commands,
                                 QWidget* parent)
    : QWidget(parent), m_properties(properties), m_commands(commands),
      m_toolBar(new QToolBar(this)), m_grid(new QTreeWidget(this)),
      m_delegate(new PropertyGridDelegate(m_grid)), m_description(new QLabel(this)) {
    setObjectName(QStringLiteral("CPropertiesPane"));
    m_grid->setObjectName(QStringLiteral("propertyGrid"));
    m_grid->setColumnCount(2);
    m_grid->setHeaderHidden(true);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_grid->setUniformRowHeights(true);
    m_grid->setIndentation(12);
    m_grid->header()->setStretchLastSection(true);
    m_grid->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    m_description->setObjectName(QStringLiteral("propertyDescription"));
    m_description->setWordWrap(true);
    m_description->setTextFormat(Qt::RichText);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->setMargin(4);
    // Room for a caption and a line of description, so the grid does not
    // jump when the selection moves.
    m_description->setMinimumHeight(3 * fontMetrics().lineSpacing() + 8);

    m_toolBar->setIconSize(QSize(16, 16));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_description);

    // The caption column only names the row: keys and clicks there go to the
    // value, as in any property grid.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.column() != PropertyGridDelegate::ValueColumn)
                    m_grid->selectionModel()->setCurrentIndex(
                        current.siblingAtColumn(PropertyGridDelegate::ValueColumn),
                        QItemSelectionModel::NoUpdate);
            });
    connect(m_grid, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        const Kind kind = kindOf(item);
        if (kind == Kind::Name || kind == Kind::Keyword)
            m_grid->editItem(item, PropertyGridDelegate::ValueColumn);
    });
    connect(m_grid, &QTreeWidget::itemChanged, this, &CPropertiesPane::valueEdited);
    connect(m_grid, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        showDescription(current);
        m_commands.updateEnabled();
    });
    connect(&m_properties, &MaterialProperties::changed, this, &CPropertiesPane::rebuild);

    defineCommands();
    rebuild();
}

CPropertiesPane::Kind CPropertiesPane::kindOf(const QTreeWidgetItem* item) {
    return item ? Kind(item->data(0, KindRole).toInt()) : Kind::Category;
}

void CPropertiesPane::defineCommands() {
    // Each tip reads "status line\ntooltip".
    const struct {
        int id;
        const char* text;
        const char* tips;
        QIcon icon;
    } commands[] = {
        {SaveProperties, "保存", "保存\n保存", Icons::save()},
        {DeleteKeyword, "删除查询关键字", "删除查询关键字\n删除查询关键字", Icons::remove()},
        {AddKeyword, "添加查询关键字", "添加查询关键字\n添加查询关键字", Icons::add()},
    };
    for (const auto& c : commands) {
        QAction* action =
            m_commands.define(c.id, QString::fromUtf8(c.text), {}, Qt::WidgetWithChildrenShortcut);
        const QStringList tips = QString::fromUtf8(c.tips).split(QLatin1Char('\n'));
        action->setStatusTip(tips.value(0));
        action->setToolTip(tips.value(1));
        action->setIcon(c.icon);
        m_toolBar->addAction(action);
        m_grid->addAction(action);
    }

    const auto shown = [this] { return m_properties.hasMaterial(); };
    m_commands.setHandler(
        SaveProperties,
        [this] {
            commitEdit();
            m_properties.save();
        },
        shown);
    m_commands.setHandler(
        DeleteKeyword,
        [this] {
            const int keyword = currentKeyword();
            commitEdit();
            m_properties.deleteKeyword(keyword);
        },
        [this] { return currentKeyword() >= 0; });
    m_commands.setHandler(
        AddKeyword, [this] { addKeyword(); }, [this] { return m_properties.showsKeywords(); });
}

QTreeWidgetItem* CPropertiesPane::addCategory(const QString& caption) {
    auto* item = new QTreeWidgetItem(m_grid, {caption});
    item->setData(0, KindRole, int(Kind::Category));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setFirstColumnSpanned(true);
    QFont bold = font();
    bold.setBold(true);
    item->setFont(0, bold);
    item->setBackground(0, palette().button());
    return item;
}

void CPropertiesPane::rebuild() {
    // The selection keeps its place across a rebuild: Delete keyword leaves
    // the next keyword selected, Save the row that was being edited.
    QString category;
    int position = -1;
    if (QTreeWidgetItem* current = m_grid->currentItem()) {
        const QTreeWidgetItem* parent = current->parent();
        category = parent ? parent->text(0) : current->text(0);
        position = parent ? parent->indexOfChild(current) : -1;
    }

    m_filling = true;
    m_grid->clear();
    m_keywords = nullptr;
    if (m_properties.hasMaterial()) {
        QTreeWidgetItem* fields = nullptr;
        // A material of the open base has the keyword category even with no
        // keyword yet, to add the first one to.
        const auto categoryFor = [&](const QString& caption) {
            if (caption == kKeywordCategory) {
                if (!m_keywords)
                    m_keywords = addCategory(caption);
                return m_keywords;
            }
            if (!fields)
                fields = addCategory(caption);
            return fields;
        };
        for (const MaterialProperties::Row& row : m_properties.rows()) {
            auto* item = new QTreeWidgetItem(categoryFor(row.category), {row.caption, row.value});
            const Kind kind = row.readOnly                       ? Kind::ReadOnly
                              : row.category == kKeywordCategory ? Kind::Keyword
                                                                 : Kind::Name;
            item->setData(0, KindRole, int(kind));
            item->setData(0, DescriptionRole, row.description);
            if (kind == Kind::ReadOnly) {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            }
            const bool described = !row.description.isEmpty();
            item->setToolTip(0, described ? row.description : row.caption);
            item->setToolTip(1, described ? row.description : row.value); // long paths elide
        }
        if (m_properties.showsKeywords())
            categoryFor(kKeywordCategory);
        m_grid->expandAll();
    }
    m_filling = false;

    QTreeWidgetItem* again = nullptr;
    for (int i = 0; i < m_grid->topLevelItemCount() && !again; ++i) {
        QTreeWidgetItem* top = m_grid->topLevelItem(i);
        if (top->text(0) != category)
            continue;
        again = position >= 0 && top->childCount() > 0
                    ? top->child(qMin(position, top->childCount() - 1))
                    : top;
    }
    m_grid->setCurrentItem(again, PropertyGridDelegate::ValueColumn);
    showDescription(again);
    m_commands.updateEnabled();
}

void CPropertiesPane::valueEdited(QTreeWidgetItem* item, int column) {
    if (m_filling || column != PropertyGridDelegate::ValueColumn)
        return;
    switch (kindOf(item)) {
    case Kind::Name:
        m_properties.setName(item->text(column));
        break;
    case Kind::Keyword:
        m_properties.setKeyword(item->parent()->indexOfChild(item), item->text(column));
        break;
    default:
        break;
    }
}

void CPropertiesPane::showDescription(const QTreeWidgetItem* item) {
    const QString description = item ? item->data(0, DescriptionRole).toString() : QString();
    if (description.isEmpty()) {
        m_description->clear();
        return;
    }
    m_description->setText(QStringLiteral("<b>%1</b><br>%2")
                               .arg(item->text(0).toHtmlEscaped(), description.toHtmlEscaped()));
}

int CPropertiesPane::currentKeyword() const {
    QTreeWidgetItem* item = m_grid->currentItem();
    return kindOf(item) == Kind::Keyword ? item->parent()->indexOfChild(item) : -1;
}

void CPropertiesPane::commitEdit() {
    m_delegate->commitOpenEditor();
}

void CPropertiesPane::addKeyword() {
    commitEdit();
    const int index = m_properties.addKeyword();
    if (index < 0 || !m_keywords || index >= m_keywords->childCount())
        return;
    QTreeWidgetItem* item = m_keywords->child(index);
    m_grid->setCurrentItem(item, PropertyGridDelegate::ValueColumn);
    m_grid->scrollToItem(item);
    m_grid->setFocus();
    m_grid->editItem(item, PropertyGridDelegate::ValueColumn);
}
