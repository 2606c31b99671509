#include "CCustomizeSheet.h"

#include "CustomizeCommandsPage.h"
#include "CustomizeKeyboardPage.h"
#include "CustomizeOptionsPage.h"
#include "commands/BarOptions.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CCustomizeSheet::CCustomizeSheet(QMainWindow* window, CommandRegistry& commands,
                                 BarOptions& options, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_window(window), m_commands(commands), m_options(options),
      m_tabs(new QTabWidget(this)),
      m_commandsPage(new CustomizeCommandsPage(window, commands, m_tabs)),
      m_keyboardPage(new CustomizeKeyboardPage(window, commands, prompter, m_tabs)),
      m_optionsPage(new CustomizeOptionsPage(options, m_tabs)) {
    setWindowTitle(QStringLiteral("自定义"));
    m_tabs->addTab(m_commandsPage, QStringLiteral("命令"));
    m_tabs->addTab(m_keyboardPage, QStringLiteral("键盘"));
    m_tabs->addTab(m_optionsPage, QStringLiteral("选项"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CCustomizeSheet::accept() {
    m_commandsPage->apply();
    // The keys go first: the tool tips the options write name them.
    m_keyboardPage->apply();
    m_options = m_optionsPage->options();
    m_options.apply(m_window, m_commands);
    QDialog::accept();
    Q_EMIT applied();
}
