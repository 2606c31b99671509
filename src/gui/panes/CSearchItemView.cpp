#include "CSearchItemView.h"

#include "Prompter.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "search/KbSearchText.h"
#include "search/SearchControl.h"
#include "store/CurrentKnowledgeBase.h"

#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace CommandIds;

namespace {

// The header and the summary row of a file search start with this.
const QString kFileHeadPrefix = QStringLiteral("搜索");

} // namespace

CSearchItemView::CSearchItemView(const CurrentKnowledgeBase& base, CommandRegistry& commands,
                                 Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_base(base), m_commands(commands), m_prompter(prompter),
      m_tabs(new QTabWidget(this)) {
    setObjectName(QStringLiteral("CSearchItemView"));
    m_tabs->setTabPosition(QTabWidget::South);
    QFont listFont(QStringLiteral("新宋体"));
    listFont.setStyleHint(QFont::Monospace);
    for (int i = 0; i < 2; ++i) {
        QListWidget* list = new QListWidget(m_tabs);
        list->setObjectName(QStringLiteral("kbList%1").arg(i + 1));
        list->setFont(listFont);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QListWidget::itemDoubleClicked, this, [this] {
            if (const std::optional<QString> id = selectedMaterial(false))
                Q_EMIT openMaterialRequested(*id, m_resultBase[shownKbWindow() - 1]);
        });
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& pos) { showContextMenu(list, pos); });
        connect(list, &QListWidget::itemSelectionChanged, &m_commands,
                &CommandRegistry::updateEnabled);
        m_lists[i] = list;
        m_tabs->addTab(list, QStringLiteral("查询资源窗口 %1").arg(i + 1));
    }
    for (int i = 0; i < 2; ++i) {
        QTreeWidget* tree = new QTreeWidget(m_tabs);
        tree->setObjectName(QStringLiteral("fileTree%1").arg(i + 1));
        tree->setHeaderHidden(true);
        tree->setColumnCount(1);
        tree->setUniformRowHeights(true);
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        // Double-click also toggles expansion; a file row with lines would
        // fold away under the user's cursor as it opens.
        tree->setExpandsOnDoubleClick(false);
        connect(tree, &QTreeWidget::itemDoubleClicked, this,
                [this](QTreeWidgetItem* item) { openFileItem(item); });
        connect(tree, &QWidget::customContextMenuRequested, this,
                [this, tree](const QPoint& pos) { showContextMenu(tree, pos); });
        connect(tree, &QTreeWidget::currentItemChanged, &m_commands,
                &CommandRegistry::updateEnabled);
        m_trees[i] = tree;
        m_tabs->addTab(tree, QStringLiteral("文件搜索窗口 %1").arg(i + 1));
    }
    connect(m_tabs, &QTabWidget::currentChanged, &m_commands, &CommandRegistry::updateEnabled);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    defineCommands();
}

CSearchItemView::~CSearchItemView() {
    // Deleting the pages changes the tab and the selections, and the
    // registry's enablers would then look at a view half torn down.
    m_tabs->disconnect(&m_commands);
    for (int i = 0; i < 2; ++i) {
        m_lists[i]->disconnect(&m_commands);
        m_trees[i]->disconnect(&m_commands);
    }
}

QListWidget* CSearchItemView::kbList(int window) const {
    return m_lists[window == 2 ? 1 : 0];
}

QTreeWidget* CSearchItemView::fileTree(int window) const {
    return m_trees[window == 2 ? 1 : 0];
}

QString CSearchItemView::resultBase(int tab) const {
    return tab >= 0 && tab < 4 ? m_resultBase[tab] : QString();
}

std::optional<int> CSearchItemView::lineOf(const QString& row) {
    if (!row.startsWith(QLatin1Char('[')))
        return std::nullopt;
    // The number runs up to "行]"; read its leading digits as the original
    // integer conversion did.
    qsizetype end = 1;
    while (end < row.size() && row.at(end).isDigit() && row.at(end).unicode() < 128)
        ++end;
    bool ok = false;
    const int line = row.mid(1, end - 1).toInt(&ok);
    return ok ? std::optional<int>(line) : std::nullopt;
}

void CSearchItemView::clearKbList(int window) {
    kbList(window)->clear();
    m_rowCount = 0;
}

void CSearchItemView::addKbRows(int window, const QStringList& rows) {
    kbList(window)->addItems(rows);
    m_rowCount += rows.size();
}

void CSearchItemView::clearFileTree(int window) {
    const int i = window == 2 ? 1 : 0;
    m_trees[i]->clear();
    m_currentFile[i] = nullptr;
    m_rowCount = 0;
}

void CSearchItemView::addFileRows(int window, const QList<FileSearchRow>& rows) {
    const int i = window == 2 ? 1 : 0;
    for (const FileSearchRow& row : rows) {
        ++m_rowCount;
        if (row.level == 1) {
            m_currentFile[i] = new QTreeWidgetItem(m_trees[i], {row.text});
        } else if (m_currentFile[i]) {
            new QTreeWidgetItem(m_currentFile[i], {row.text});
            m_currentFile[i]->setExpanded(true);
        }
    }
}

void CSearchItemView::selectTab(int tab) {
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

void CSearchItemView::setResultBase(int tab, const QString& baseId) {
    if (tab >= 0 && tab < 4)
        m_resultBase[tab] = baseId;
}

int CSearchItemView::shownKbWindow() const {
    const int tab = m_tabs->currentIndex();
    return tab == 0 || tab == 1 ? tab + 1 : 0;
}

int CSearchItemView::shownFileWindow() const {
    const int tab = m_tabs->currentIndex();
    return tab == 2 || tab == 3 ? tab - 1 : 0;
}

std::optional<QString> CSearchItemView::selectedMaterial(bool quiet) const {
    const int window = shownKbWindow();
    if (window == 0)
        return std::nullopt;
    const QList<QListWidgetItem*> rows = kbList(window)->selectedItems();
    if (rows.size() != 1)
        return std::nullopt;
    if (quiet)
        return KbSearchText::MaterialIdOf(rows.first()->text());
    return SearchControl::MaterialToOpen(rows.first()->text(), m_resultBase[window - 1], m_base.ID,
                                         m_prompter);
}

bool CSearchItemView::canOpenShown() const {
    if (shownKbWindow())
        return selectedMaterial(true).has_value();
    const int window = shownFileWindow();
    const QTreeWidgetItem* item = window ? fileTree(window)->currentItem() : nullptr;
    return item && !item->text(0).startsWith(kFileHeadPrefix);
}

void CSearchItemView::openShown() {
    if (shownKbWindow()) {
        if (const std::optional<QString> id = selectedMaterial(false))
            Q_EMIT openMaterialRequested(*id, m_resultBase[shownKbWindow() - 1]);
    } else if (const int window = shownFileWindow()) {
        openFileItem(fileTree(window)->currentItem());
    }
}

void CSearchItemView::openFileItem(QTreeWidgetItem* item) {
    if (!item || item->text(0).startsWith(kFileHeadPrefix))
        return;
    if (QTreeWidgetItem* file = item->parent()) {
        if (const std::optional<int> line = lineOf(item->text(0)))
            Q_EMIT openFileAtLine(file->text(0), *line);
        return;
    }
    Q_EMIT openFile(item->text(0));
}

void CSearchItemView::defineCommands() {
    const auto local = Qt::WidgetWithChildrenShortcut;
    QAction* open = m_commands.define(OpenSearchResult, QStringLiteral("打开"),
                                      QKeySequence(Qt::Key_Return), local);
    QAction* dock = m_commands.define(DockSearchResult, QStringLiteral("加入到停靠站"), {}, local);
    QAction* move =
        m_commands.define(SearchResultToMaterials, QStringLiteral("移到资料窗口"), {}, local);
    for (QAction* action : {open, dock, move})
        addAction(action);

    const auto hasMaterial = [this] { return selectedMaterial(true).has_value(); };
    m_commands.setHandler(
        OpenSearchResult, [this] { openShown(); }, [this] { return canOpenShown(); });
    m_commands.setHandler(
        DockSearchResult,
        [this] {
            if (const std::optional<QString> id = selectedMaterial(false))
                Q_EMIT dockMaterialRequested(*id, m_resultBase[shownKbWindow() - 1]);
        },
        hasMaterial);
    m_commands.setHandler(
        SearchResultToMaterials,
        [this] {
            if (const std::optional<QString> id = selectedMaterial(false))
                Q_EMIT moveToMaterialsRequested(*id, m_resultBase[shownKbWindow() - 1]);
        },
        hasMaterial);
}

void CSearchItemView::showContextMenu(QWidget* control, const QPoint& pos) {
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        QListWidgetItem* at = list->itemAt(pos);
        if (at && !at->isSelected())
            list->setCurrentItem(at);
    } else if (auto* tree = qobject_cast<QTreeWidget*>(control)) {
        if (QTreeWidgetItem* at = tree->itemAt(pos))
            tree->setCurrentItem(at);
    }
    m_commands.updateEnabled();
    QMenu menu(this);
    menu.addAction(m_commands.action(OpenSearchResult));
    if (shownKbWindow()) {
        menu.addAction(m_commands.action(DockSearchResult));
        menu.addAction(m_commands.action(SearchResultToMaterials));
    }
    menu.exec(control->mapToGlobal(pos));
}
