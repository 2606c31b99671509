#pragma once

#include "Workspace.h"

#include <QMainWindow>
#include <QMap>

class CommandRegistry;
class DescriptTypeSelector;
class DocumentArea;
class Profile;
class Prompter;
class QDockWidget;
class QProgressBar;

// The one top-level window: documents in tabs, nine docking panes around
// them, menus, toolbars and a status bar. It owns the workspace (the
// configuration and the open knowledge base) for the life of the program.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(const ProgramPaths& paths, Prompter& prompter, Profile& profile,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Reads the configuration (running the first-run setup when it asks for
    // it), builds the bars and panes. False ends the program.
    bool OnCreate(const FirstRunHandler& firstRun);

    void openDocument(const QString& path);

    Workspace& workspace() { return m_workspace; }
    CommandRegistry& commands() { return *m_commands; }
    DocumentArea& documents() { return *m_documents; }
    QDockWidget* pane(int id) const { return m_panes.value(id); }
    DescriptTypeSelector& typeSelector() { return *m_typeSelector; }
    QProgressBar& progress() { return *m_progress; }

    int defFontSize() const { return m_defFontSize; }
    void setDefFontSize(int size) { m_defFontSize = size; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createPanes();
    void createCommands();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void showPane(int id);
    void fillTypeSelector();
    void addTypeFromToolbar();

    Workspace m_workspace;
    Prompter& m_prompter;
    Profile& m_profile;
    CommandRegistry* m_commands;
    DocumentArea* m_documents;
    DescriptTypeSelector* m_typeSelector = nullptr;
    QProgressBar* m_progress = nullptr;
    QMap<int, QDockWidget*> m_panes;
    int m_defFontSize = 3;
    int m_openBaseId = -1;
};
