#pragma once

#include "StderrPrompter.h"
#include "Workspace.h"
#include "store/MaterialClipboard.h"

#include <QStringList>
#include <QTextStream>
#include <memory>

// What every command of keepsake-cli works with: the program folder named by
// --home (or $KEEPSAKE_HOME, or the executable's folder), its configuration,
// the base chosen by --base, and the output streams.
class CategoryTreeModel;
class MaterialPanes;
class RecycleBinModel;
class TreeService;

class CliContext {
public:
    CliContext(const ProgramPaths& paths, bool answerNo, int baseId);
    ~CliContext();

    Workspace& workspace() { return m_workspace; }
    StderrPrompter& prompter() { return m_prompter; }

    // Opens the base named by --base, else the start base, and loads its
    // tree and recycle bin as the panes would. False after a message.
    bool openBase();
    // Every change of the tree goes through the service; the model shows
    // what is live, as the tree pane would.
    TreeService& treeService() { return *m_treeService; }
    CategoryTreeModel& tree() { return *m_tree; }
    RecycleBinModel& recycleBin() { return *m_recycleBin; }
    MaterialClipboard& materialClipboard() { return m_materialClipboard; }
    // The material lists, the dock station and the properties, wired to the
    // tree and the recycle bin as in the window (after openBase, when a base
    // is needed).
    MaterialPanes& materials();

    // -1 when --base was not given: the start base of the configuration.
    int requestedBaseId() const { return m_baseId; }

    // One output row, fields separated by tabs.
    void row(const QStringList& fields);
    void line(const QString& text);

private:
    StderrPrompter m_prompter;
    Workspace m_workspace;
    int m_baseId;
    QTextStream m_out;
    MaterialClipboard m_materialClipboard;
    std::unique_ptr<TreeService> m_treeService;
    std::unique_ptr<CategoryTreeModel> m_tree;
    std::unique_ptr<RecycleBinModel> m_recycleBin;
    std::unique_ptr<MaterialPanes> m_materials;
};

// A failed command: the message in the form the program would show it.
int cliFail(CliContext& context, const QString& text,
            const QString& caption = QStringLiteral("错误"));
