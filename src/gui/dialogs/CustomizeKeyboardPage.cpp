#include "CustomizeKeyboardPage.h"

#include "Prompter.h"
#include "commands/CommandRegistry.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CustomizeKeyboardPage::CustomizeKeyboardPage(QMainWindow* window, CommandRegistry& commands,
                                             Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_commands(commands), m_prompter(prompter),
      m_categories(CommandCategories::fromMenus(window, commands)),
      m_categoryCombo(new QComboBox(this)), m_commandList(new QListWidget(this)),
      m_keyList(new QListWidget(this)), m_keyEdit(new QKeySequenceEdit(this)),
      m_assign(new QPushButton(QStringLiteral("指定"), this)),
      m_remove(new QPushButton(QStringLiteral("删除"), this)),
      m_resetAllButton(new QPushButton(QStringLiteral("全部重置"), this)) {
    for (const int id : commands.ids())
        m_keys.insert(id, commands.action(id)->shortcuts());
    CommandCategories::fillCombo(m_categoryCombo, m_categories);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("类别:"), this), 0, 0);
    grid->addWidget(m_categoryCombo, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("命令:"), this), 2, 0);
    grid->addWidget(m_commandList, 3, 0, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("当前快捷键:"), this), 0, 1);
    grid->addWidget(m_keyList, 1, 1, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("按新快捷键:"), this), 3, 1);
    grid->addWidget(m_keyEdit, 4, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_assign);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    buttons->addWidget(m_resetAllButton);
    grid->addLayout(buttons, 1, 2, 5, 1);

    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this,
            &CustomizeKeyboardPage::showCategory);
    connect(m_commandList, &QListWidget::currentRowChanged, this, &CustomizeKeyboardPage::showKeys);
    connect(m_keyList, &QListWidget::currentRowChanged, this,
            &CustomizeKeyboardPage::updateButtons);
    connect(m_assign, &QPushButton::clicked, this, &CustomizeKeyboardPage::assign);
    connect(m_remove, &QPushButton::clicked, this, &CustomizeKeyboardPage::removeKey);
    connect(m_resetAllButton, &QPushButton::clicked, this, &CustomizeKeyboardPage::resetAll);
    showCategory();
}

int CustomizeKeyboardPage::currentCommand() const {
    const QListWidgetItem* item = m_commandList->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void CustomizeKeyboardPage::showCategory() {
    const int index = m_categoryCombo->currentIndex();
    CommandCategories::fillList(m_commandList, index >= 0 ? m_categories[index].ids : QList<int>(),
                                m_commands);
    m_commandList->setCurrentRow(m_commandList->count() > 0 ? 0 : -1);
    showKeys();
}

void CustomizeKeyboardPage::showKeys() {
    m_keyList->clear();
    for (const QKeySequence& key : m_keys.value(currentCommand()))
        m_keyList->addItem(key.toString(QKeySequence::NativeText));
    updateButtons();
}

void CustomizeKeyboardPage::updateButtons() {
    const int id = currentCommand();
    // The edit tells of a new key only a second after it was typed, too late
    // for the button; assign() looks at the key itself.
    m_assign->setEnabled(id != 0);
    m_remove->setEnabled(id && m_keyList->currentRow() >= 0);
}

void CustomizeKeyboardPage::assign() {
    const int id = currentCommand();
    const QKeySequence key = m_keyEdit->keySequence();
    if (!id || key.isEmpty() || m_keys.value(id).contains(key))
        return;
    QList<int> holders;
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        if (it.key() != id && it->contains(key))
            holders.append(it.key());
    }
    if (!holders.isEmpty()) {
        std::sort(holders.begin(), holders.end());
        const QString question =
            QStringLiteral("快捷键 %1 已分配给命令“%2”，是否改为分配给当前命令?")
                .arg(key.toString(QKeySequence::NativeText),
                     CommandCategories::commandText(m_commands.action(holders.first())));
        if (m_prompter.message(question, QStringLiteral("提示"), Prompter::Icon::Question,
                               Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
            return;
        for (const int holder : holders)
            m_keys[holder].removeAll(key);
    }
    m_keys[id].append(key);
    m_keyEdit->clear();
    showKeys();
}

void CustomizeKeyboardPage::removeKey() {
    const int id = currentCommand();
    const int row = m_keyList->currentRow();
    if (!id || row < 0 || row >= m_keys.value(id).size())
        return;
    m_keys[id].removeAt(row);
    showKeys();
}

void CustomizeKeyboardPage::resetAll() {
    for (auto it = m_keys.begin(); it != m_keys.end(); ++it)
        *it = m_commands.defaultShortcuts(it.key());
    m_resetAll = true;
    showKeys();
}

void CustomizeKeyboardPage::apply() {
    if (m_resetAll)
        m_commands.resetShortcuts();
    // Keys are given in one pass after the user settled every conflict, so
    // the registry's taking away only repeats what the user agreed to.
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        if (m_commands.action(it.key())->shortcuts() != *it)
            m_commands.setShortcuts(it.key(), *it);
    }
}
