#include "CustomizeCommandsPage.h"

#include "commands/CommandRegistry.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace {

// Separators may go; what else is not a command is a widget of the toolbar.
bool isFixed(QAction* action, const CommandRegistry& commands) {
    return !action->isSeparator() && !CommandCategories::commandOf(action, commands);
}

QString entryText(QAction* action) {
    if (action->isSeparator())
        return QStringLiteral("分隔符");
    if (auto* widgetAction = qobject_cast<QWidgetAction*>(action)) {
        if (auto* label = qobject_cast<QLabel*>(widgetAction->defaultWidget()))
            return label->text().trimmed();
        return QStringLiteral("（工具栏控件）");
    }
    return CommandCategories::commandText(action);
}

} // namespace

CustomizeCommandsPage::CustomizeCommandsPage(QMainWindow* window, CommandRegistry& commands,
                                             QWidget* parent)
    : QWidget(parent), m_commands(commands),
      m_categories(CommandCategories::fromMenus(window, commands)), m_barCombo(new QComboBox(this)),
      m_categoryCombo(new QComboBox(this)), m_available(new QListWidget(this)),
      m_onBar(new QListWidget(this)), m_add(new QPushButton(QStringLiteral("添加 >>"), this)),
      m_remove(new QPushButton(QStringLiteral("<< 移除"), this)),
      m_up(new QPushButton(QStringLiteral("上移"), this)),
      m_down(new QPushButton(QStringLiteral("下移"), this)),
      m_reset(new QPushButton(QStringLiteral("重置"), this)) {
    for (QToolBar* bar : window->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        m_bars.append(bar);
        m_working.insert(bar, bar->actions());
        m_original.insert(bar, bar->actions());
        m_barCombo->addItem(bar->windowTitle());
    }
    CommandCategories::fillCombo(m_categoryCombo, m_categories);
    m_available->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("类别:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("工具栏:"), this), 0, 2);
    grid->addWidget(m_categoryCombo, 1, 0);
    grid->addWidget(m_barCombo, 1, 2);
    grid->addWidget(m_available, 2, 0);
    grid->addWidget(m_onBar, 2, 2);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch();
    grid->addLayout(middle, 2, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch();
    side->addWidget(m_reset);
    grid->addLayout(side, 2, 3);

    connect(m_barCombo, &QComboBox::currentIndexChanged, this, &CustomizeCommandsPage::showBar);
    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this,
            &CustomizeCommandsPage::showAvailable);
    connect(m_available, &QListWidget::itemSelectionChanged, this,
            &CustomizeCommandsPage::updateButtons);
    connect(m_onBar, &QListWidget::currentRowChanged, this, &CustomizeCommandsPage::updateButtons);
    connect(m_add, &QPushButton::clicked, this, &CustomizeCommandsPage::add);
    connect(m_remove, &QPushButton::clicked, this, &CustomizeCommandsPage::remove);
    connect(m_up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { move(1); });
    connect(m_reset, &QPushButton::clicked, this, &CustomizeCommandsPage::reset);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &CustomizeCommandsPage::add);
    showBar();
}

QToolBar* CustomizeCommandsPage::currentBar() const {
    const int index = m_barCombo->currentIndex();
    return index >= 0 && index < m_bars.size() ? m_bars[index] : nullptr;
}

void CustomizeCommandsPage::showBar() {
    const int row = m_onBar->currentRow();
    m_onBar->clear();
    if (QToolBar* bar = currentBar()) {
        for (QAction* action : m_working[bar]) {
            auto* item = new QListWidgetItem(action->icon(), entryText(action), m_onBar);
            if (isFixed(action, m_commands))
                item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    m_onBar->setCurrentRow(qMin(row, m_onBar->count() - 1));
    showAvailable();
}

void CustomizeCommandsPage::showAvailable() {
    const int index = m_categoryCombo->currentIndex();
    QList<int> ids = index >= 0 ? m_categories[index].ids : QList<int>();
    if (QToolBar* bar = currentBar()) {
        for (QAction* action : m_working[bar])
            ids.removeAll(CommandCategories::commandOf(action, m_commands));
    }
    CommandCategories::fillList(m_available, ids, m_commands);
    updateButtons();
}

void CustomizeCommandsPage::updateButtons() {
    QToolBar* bar = currentBar();
    const QList<QAction*> actions = bar ? m_working[bar] : QList<QAction*>();
    const int row = m_onBar->currentRow();
    const bool movable = row >= 0 && row < actions.size() && !isFixed(actions[row], m_commands);
    m_add->setEnabled(bar && !m_available->selectedItems().isEmpty());
    m_remove->setEnabled(movable);
    m_up->setEnabled(movable && row > 0);
    m_down->setEnabled(movable && row + 1 < actions.size());
    m_reset->setEnabled(bar != nullptr);
}

void CustomizeCommandsPage::add() {
    QToolBar* bar = currentBar();
    if (!bar)
        return;
    QList<QAction*>& actions = m_working[bar];
    // New commands go after the selected entry, or at the end.
    int at = m_onBar->currentRow() >= 0 ? m_onBar->currentRow() + 1 : actions.size();
    const int first = at;
    for (QListWidgetItem* item : m_available->selectedItems())
        actions.insert(at++, m_commands.action(item->data(Qt::UserRole).toInt()));
    m_onBar->setCurrentRow(-1);
    showBar();
    m_onBar->setCurrentRow(at > first ? at - 1 : -1);
}

void CustomizeCommandsPage::remove() {
    QToolBar* bar = currentBar();
    const int row = m_onBar->currentRow();
    if (!bar || row < 0 || isFixed(m_working[bar][row], m_commands))
        return;
    m_working[bar].removeAt(row);
    showBar();
}

void CustomizeCommandsPage::move(int step) {
    QToolBar* bar = currentBar();
    const int row = m_onBar->currentRow();
    if (!bar || row < 0)
        return;
    QList<QAction*>& actions = m_working[bar];
    const int to = row + step;
    if (to < 0 || to >= actions.size() || isFixed(actions[row], m_commands))
        return;
    actions.swapItemsAt(row, to);
    m_onBar->setCurrentRow(-1);
    showBar();
    m_onBar->setCurrentRow(to);
}

void CustomizeCommandsPage::reset() {
    if (QToolBar* bar = currentBar()) {
        m_working[bar] = m_original[bar];
        showBar();
    }
}

void CustomizeCommandsPage::apply() {
    for (QToolBar* bar : m_bars) {
        const QList<QAction*>& wanted = m_working[bar];
        for (QAction* action : bar->actions()) {
            if (!wanted.contains(action))
                bar->removeAction(action);
        }
        // Each action is moved only when it is out of place, so the widgets
        // of the toolbar are left alone unless the user moved past them.
        for (int i = 0; i < wanted.size(); ++i) {
            const QList<QAction*> now = bar->actions();
            if (i < now.size() && now[i] == wanted[i])
                continue;
            bar->insertAction(i < now.size() ? now[i] : nullptr, wanted[i]);
        }
    }
}
