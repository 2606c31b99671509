#include "CKnowledgeTreePane.h"

#include "CategoryTreeDelegate.h"
#include "Prompter.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "store/CategoryCode.h"
#include "store/CategoryTreeModel.h"
#include "store/TreeService.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

using namespace CommandIds;

CKnowledgeTreePane::CKnowledgeTreePane(CategoryTreeModel& model, TreeService& service,
                                       Prompter& prompter, CommandRegistry& commands,
                                       QWidget* parent)
    : QWidget(parent), m_model(model), m_service(service), m_prompter(prompter),
      m_commands(commands), m_view(new QTreeView(this)), m_header(new QVBoxLayout) {
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

    const auto hasNode = [this] { return m_view->currentIndex().isValid(); };
    const auto level = [this] { return CategoryCode::LevelOf(currentCode()); };
    const auto baseOpen = [this] { return m_view->isEnabled(); };

    m_commands.setHandler(
        ShowItemMaterials, [this] { Q_EMIT showMaterialsRequested(currentCode()); }, hasNode);
    m_commands.setHandler(
        SearchFromItem, [this] { Q_EMIT searchRequested(currentCode()); }, baseOpen);
    m_commands.setHandler(
        AddRootItem, [this] { addRoot(); }, baseOpen);
    m_commands.setHandler(
        AddChildItem, [this] { addChild(); },
        [level] {
            return level() == CategoryCode::Level::Root || level() == CategoryCode::Level::Major;
        });
    m_commands.setHandler(
        RenameItem, [this] { m_view->edit(m_view->currentIndex()); }, hasNode);
    m_commands.setHandler(
        DeleteItem, [this] { m_service.recycleItem(currentCode()); }, hasNode);
    m_commands.setHandler(
        MoveItemUp, [this] { exchangeWithSibling(-1); }, hasNode);
    m_commands.setHandler(
        MoveItemDown, [this] { exchangeWithSibling(+1); }, hasNode);
    m_commands.setHandler(
        CutItem, [this] { m_service.cutItem(currentCode()); }, hasNode);
    m_commands.setHandler(
        CutItemMaterials, [this] { m_service.cutMaterialsOf(currentCode()); }, hasNode);
    m_commands.setHandler(
        PasteItem, [this] { m_service.paste(currentCode()); }, hasNode);
}

void CKnowledgeTreePane::addRoot() {
    const std::optional<QString> typed = m_prompter.askText(QStringLiteral("添加知识库根项"));
    if (!typed)
        return;
    if (const std::optional<QString> code = m_service.addRoot(*typed))
        m_view->setCurrentIndex(m_model.indexOf(*code));
}

void CKnowledgeTreePane::exchangeWithSibling(int offset) {
    const QModelIndex current = m_view->currentIndex();
    const QModelIndex sibling = current.siblingAtRow(current.row() + offset);
    if (sibling.isValid())
        m_service.exchangeItems(currentCode(), CategoryTreeModel::codeOf(sibling));
}

void CKnowledgeTreePane::addChild() {
    const QModelIndex parent = m_view->currentIndex();
    const std::optional<QString> code = m_service.addChild(currentCode());
    if (!code)
        return;
    const QModelIndex added = m_model.indexOf(*code);
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
