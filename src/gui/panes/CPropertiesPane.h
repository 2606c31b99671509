#pragma once

#include <QWidget>

class CommandRegistry;
class MaterialProperties;
class PropertyGridDelegate;
class QLabel;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// The material properties pane: a property grid of the current material,
// its fields read-only except the name, and its search keywords, all stored
// by the toolbar's Save. The grid only edits MaterialProperties; the
// database changes on Save.
class CPropertiesPane : public QWidget {
    Q_OBJECT
public:
    CPropertiesPane(MaterialProperties& properties, CommandRegistry& commands,
                    QWidget* parent = nullptr);

    QTreeWidget* grid() const { return m_grid; }
    QToolBar* toolBar() const { return m_toolBar; }
    QLabel* descriptionLabel() const { return m_description; }

private:
    enum class Kind { Category, ReadOnly, Name, Keyword };
    static Kind kindOf(const QTreeWidgetItem* item);

    void defineCommands();
    void rebuild();
    QTreeWidgetItem* addCategory(const QString& caption);
    void valueEdited(QTreeWidgetItem* item, int column);
    void showDescription(const QTreeWidgetItem* item);
    int currentKeyword() const;
    // A toolbar click leaves the editor open and its text not yet taken;
    // every command takes it first.
    void commitEdit();
    void addKeyword();

    MaterialProperties& m_properties;
    CommandRegistry& m_commands;
    QToolBar* m_toolBar;
    QTreeWidget* m_grid;
    PropertyGridDelegate* m_delegate;
    QLabel* m_description;
    QTreeWidgetItem* m_keywords = nullptr;
    bool m_filling = false;
};
