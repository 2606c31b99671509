#pragma once

#include "store/MaterialRecord.h"

#include <QWidget>
#include <functional>

class CommandRegistry;
class MaterialListModel;
class MaterialPanes;
class Profile;
class Prompter;
class QActionGroup;
class QComboBox;
class QTreeView;

// The material pane: the materials under the chosen item, a page of 100 at a
// time, with the filter menu and the commands on the selected material.
class CMaterialPane : public QWidget {
    Q_OBJECT
public:
    CMaterialPane(MaterialPanes& panes, CommandRegistry& commands, Profile& profile,
                  Prompter& prompter, std::function<QString()> typeText, QWidget* parent = nullptr);

    QTreeView* view() const { return m_view; }
    QComboBox* pageBox() const { return m_pageBox; }
    // The row the commands work on, or -1.
    int selectedRow() const;
    // Closes a material's windows before its description file is deleted;
    // false when one stays open.
    void setWindowCloser(std::function<bool(const MaterialRecord&)> closer) {
        m_closeWindows = std::move(closer);
    }

Q_SIGNALS:
    void openRequested(const MaterialRecord& material);
    void newMaterialRequested();
    void materialSelected(const MaterialRecord& material);
    // A description file was added or deleted; the material shows anew.
    void descriptionChanged(const MaterialRecord& material);

private:
    void defineCommands();
    void defineFilterCommands();
    void addDescription();
    void removeDescription();
    void refreshPages();
    void chooseCustomTime();
    void showContextMenu(const QPoint& pos);

    MaterialPanes& m_panes;
    MaterialListModel& m_list;
    CommandRegistry& m_commands;
    Profile& m_profile;
    Prompter& m_prompter;
    std::function<QString()> m_typeText;
    std::function<bool(const MaterialRecord&)> m_closeWindows;
    QTreeView* m_view;
    QComboBox* m_pageBox;
    QActionGroup* m_types;
    QActionGroup* m_times;
};
