#pragma once

#include "search/FileSearchRow.h"

#include <QStringList>
#include <QWidget>
#include <optional>

class CommandRegistry;
class Prompter;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
struct CurrentKnowledgeBase;

// The search results pane: two lists for the knowledge-base search and two
// trees for the file search, filled through the search control's signals.
// Opening a row only asks the main window, which owns the viewers.
class CSearchItemView : public QWidget {
    Q_OBJECT
public:
    CSearchItemView(const CurrentKnowledgeBase& base, CommandRegistry& commands, Prompter& prompter,
                    QWidget* parent = nullptr);
    ~CSearchItemView() override;

    QTabWidget* tabs() const { return m_tabs; }
    // window is 1 or 2.
    QListWidget* kbList(int window) const;
    QTreeWidget* fileTree(int window) const;
    // Rows added since the last clear of any list or tree.
    int rowCount() const { return m_rowCount; }
    // The base whose materials the control of a tab lists.
    QString resultBase(int tab) const;

    // "[12行] text" gives 12; nothing for rows that do not start with "[".
    static std::optional<int> lineOf(const QString& row);

public Q_SLOTS:
    void clearKbList(int window);
    void addKbRows(int window, const QStringList& rows);
    void clearFileTree(int window);
    void addFileRows(int window, const QList<FileSearchRow>& rows);
    void selectTab(int tab);
    void setResultBase(int tab, const QString& baseId);

Q_SIGNALS:
    void openMaterialRequested(const QString& materialId, const QString& baseId);
    void dockMaterialRequested(const QString& materialId, const QString& baseId);
    void moveToMaterialsRequested(const QString& materialId, const QString& baseId);
    void openFile(const QString& path);
    void openFileAtLine(const QString& path, int line);

private:
    void defineCommands();
    void showContextMenu(QWidget* control, const QPoint& pos);
    // The list window (1, 2) of the shown tab, or 0 on a tree tab.
    int shownKbWindow() const;
    int shownFileWindow() const;
    // The material of the one selected row of the shown list; may tell the
    // user that it lies in another base.
    std::optional<QString> selectedMaterial(bool quiet) const;
    bool canOpenShown() const;
    void openShown();
    void openFileItem(QTreeWidgetItem* item);

    const CurrentKnowledgeBase& m_base;
    CommandRegistry& m_commands;
    Prompter& m_prompter;
    QTabWidget* m_tabs;
    QListWidget* m_lists[2];
    QTreeWidget* m_trees[2];
    // Each tree's own last file row, so a line never lands under a row of
    // the other tree or under one that a clear has deleted.
    QTreeWidgetItem* m_currentFile[2] = {nullptr, nullptr};
    QString m_resultBase[4];
    int m_rowCount = 0;
};
