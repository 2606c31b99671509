#pragma once

#include <QWidget>

class CategoryTreeModel;
class CommandRegistry;
class Prompter;
class TreeService;
class QTreeView;
class QVBoxLayout;

// The knowledge-base pane: the open base's category tree with its commands
// (add, rename, delete, move, cut, paste), in the context menu and on keys.
class CKnowledgeTreePane : public QWidget {
    Q_OBJECT
public:
    CKnowledgeTreePane(CategoryTreeModel& model, TreeService& service, Prompter& prompter,
                       CommandRegistry& commands, QWidget* parent = nullptr);

    QTreeView* view() const { return m_view; }
    // Room above the tree for the base selector.
    QVBoxLayout* headerLayout() const { return m_header; }
    QString currentCode() const;
    void expandAll();

Q_SIGNALS:
    void showMaterialsRequested(const QString& code);
    void searchRequested(const QString& code);

private:
    void defineCommands();
    void addRoot();
    void addChild();
    // Trades places with the sibling shown above (-1) or below (+1), if any.
    void exchangeWithSibling(int offset);
    void showContextMenu(const QPoint& pos);

    CategoryTreeModel& m_model;
    TreeService& m_service;
    Prompter& m_prompter;
    CommandRegistry& m_commands;
    QTreeView* m_view;
    QVBoxLayout* m_header;
};
