#pragma once

#include <QDialog>

struct BarOptions;
class CommandRegistry;
class CustomizeCommandsPage;
class CustomizeKeyboardPage;
class CustomizeOptionsPage;
class Prompter;
class QMainWindow;
class QTabWidget;

// "自定义": the toolbars' commands, the commands' keys and the toolbars'
// looks. Nothing changes until "确定"; "取消" leaves the window as it was.
// The caller saves the registry's keys and the options afterwards.
class CCustomizeSheet : public QDialog {
    Q_OBJECT
public:
    CCustomizeSheet(QMainWindow* window, CommandRegistry& commands, BarOptions& options,
                    Prompter& prompter, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    CustomizeCommandsPage* commandsPage() const { return m_commandsPage; }
    CustomizeKeyboardPage* keyboardPage() const { return m_keyboardPage; }
    CustomizeOptionsPage* optionsPage() const { return m_optionsPage; }

    void accept() override;

Q_SIGNALS:
    // The toolbars, keys and options were changed; time to save them.
    void applied();

private:
    QMainWindow* m_window;
    CommandRegistry& m_commands;
    BarOptions& m_options;
    QTabWidget* m_tabs;
    CustomizeCommandsPage* m_commandsPage;
    CustomizeKeyboardPage* m_keyboardPage;
    CustomizeOptionsPage* m_optionsPage;
};
