#include "CKnowledgeTreePane.h"

#include "CategoryTreeDelegate.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

using namespace CommandIds;

CKnowledgeTreePane::CKnowledgeTreePane(CategoryTreeModel& model, CommandRegistry& commands,
                                       QWidget* parent)
    : QWidget(parent), m_model(model), m_commands(commands), m_view(new QTreeView(this)),
      m_header(new QVBoxLayout) {
    setObjectName(QStringLiteral("CKnowledgeTreePane"));
    m_view->setObjectName(QStringLiteral("categoryTree"));
    m_view->setModel(&model);
    m_view->setItemDelegate(new CategoryTreeDelegate(m_view));
    m_view->header()->hide();
    m_view->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->setUniformRowHeights(true);
    m_view->setIconSize(QSize(16, 16));
    connect(m_view, &QWidget::customContextMenuRequested, this,
            &CKnowledgeTreePane::showContextMenu);
    // A freshly filled tree shows all three levels, as the user left it.
    connect(&model, &QAbstractItemModel::modelReset, this, &CKnowledgeTreePane::expandAll);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_header->setContentsMargins(2, 2, 2, 0);
    layout->addLayout(m_header);
    layout->addWidget(m_view, 1);

    defineCommands();
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, &m_commands,
            &CommandRegistry::updateEnabled);
}

QString CKnowledgeTreePane::currentCode() const {
    return CategoryTreeModel::codeOf(m_view->currentIndex());
}

void CKnowledgeTreePane::expandAll() {
    m_view->expandAll();
}

void CKnowledgeTreePane::defineCommands() {
    const auto local = Qt::WidgetWithChildrenShortcut;
    const struct {
        int id;
        const char* text;
        QKeySequence key;
    } commands[] = {
        {ShowItemMaterials, "显示该项下所有资料", QKeySequence(Qt::Key_F5)},
        {SearchFromItem, "从该项搜索", QKeySequence(Qt::Key_F3)},
        {AddRootItem, "新建本地知识库根项", {}},
        {AddChildItem, "增加子知识库项", {}},
        {RenameItem, "重命名", QKeySequence(Qt::Key_F2)},
        {DeleteItem, "删除", QKeySequence(Qt::Key_Delete)},
        {MoveItemUp, "向上移动", QKeySequence(Qt::SHIFT | Qt::Key_Up)},
        {MoveItemDown, "向下移动", QKeySequence(Qt::SHIFT | Qt::Key_Down)},
        {CutItem, "剪切", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {CutItemMaterials, "剪切该项下所有资料", {}},
        {PasteItem, "粘贴", QKeySequence(Qt::CTRL | Qt::Key_V)},
    };
    for (const auto& c : commands)
        m_view->addAction(m_commands.define(c.id, QString::fromUtf8(c.text), c.key, local));

    const auto current = [this] { return m_view->currentIndex(); };
    const auto hasNode = [this] { return m_view->currentIndex().isValid(); };
    const auto level = [this] { return CategoryCode::LevelOf(currentCode()); };
    const auto baseOpen = [this] { return m_view->isEnabled(); };

    m_commands.setHandler(
        ShowItemMaterials, [this] { Q_EMIT showMaterialsRequested(currentCode()); }, hasNode);
    m_commands.setHandler(
        SearchFromItem, [this] { Q_EMIT searchRequested(currentCode()); }, baseOpen);
    m_commands.setHandler(
        AddRootItem,
        [this] {
            const QModelIndex added = m_model.addRoot();
            if (added.isValid())
                m_view->setCurrentIndex(added);
        },
        baseOpen);
    m_commands.setHandler(
        AddChildItem, [this] { addChild(); },
        [level] {
            return level() == CategoryCode::Level::Root || level() == CategoryCode::Level::Major;
        });
    m_commands.setHandler(
        RenameItem, [this, current] { m_view->edit(current()); }, hasNode);
    m_commands.setHandler(
        DeleteItem, [this, current] { m_model.removeToRecycleBin(current()); }, hasNode);
    m_commands.setHandler(
        MoveItemUp, [this, current] { m_model.moveUp(current()); }, hasNode);
    m_commands.setHandler(
        MoveItemDown, [this, current] { m_model.moveDown(current()); }, hasNode);
    m_commands.setHandler(
        CutItem, [this, current] { m_model.cut(current()); }, hasNode);
    m_commands.setHandler(
        CutItemMaterials, [this, current] { m_model.cutMaterials(current()); }, hasNode);
    m_commands.setHandler(
        PasteItem, [this, current] { m_model.paste(current()); }, hasNode);
}

void CKnowledgeTreePane::addChild() {
    const QModelIndex parent = m_view->currentIndex();
    const QModelIndex added = m_model.addChild(parent);
    if (!added.isValid())
        return;
    // The new item carries a placeholder name: the user types the real one now.
    m_view->expand(parent);
    m_view->setCurrentIndex(added);
    m_view->scrollTo(added);
    m_view->edit(added);
}

void CKnowledgeTreePane::showContextMenu(const QPoint& pos) {
    const QModelIndex at = m_view->indexAt(pos);
    if (at.isValid())
        m_view->setCurrentIndex(at);
    m_commands.updateEnabled();
    QMenu menu(this);
    for (int id : {ShowItemMaterials, SearchFromItem})
        menu.addAction(m_commands.action(id));
    menu.addSeparator();
    for (int id : {AddRootItem, AddChildItem, RenameItem, DeleteItem})
        menu.addAction(m_commands.action(id));
    menu.addSeparator();
    for (int id : {MoveItemUp, MoveItemDown})
        menu.addAction(m_commands.action(id));
    menu.addSeparator();
    for (int id : {CutItem, CutItemMaterials, PasteItem})
        menu.addAction(m_commands.action(id));
    menu.exec(m_view->viewport()->mapToGlobal(pos));
}
