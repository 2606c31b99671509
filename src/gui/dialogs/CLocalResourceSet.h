#pragma once

#include "bases/BaseSwitch.h"

#include <QWidget>

class DescriptTypeChecklist;
class LocalBaseList;
class Prompter;
class QListWidget;
class QPushButton;
class QTreeWidget;

// The settings page "本地知识库设置": the registered bases, and the
// description-file types checked for the selected base. The core checks and
// changes the configuration; the page shows it afresh after each edit and
// tells the main window what its panes must follow.
class CLocalResourceSet : public QWidget {
    Q_OBJECT
public:
    CLocalResourceSet(LocalBaseList& bases, DescriptTypeChecklist& types, Prompter& prompter,
                      QWidget* parent = nullptr);

    QTreeWidget* baseList() const { return m_baseList; }
    QListWidget* typeList() const { return m_typeList; }
    // Add, Modify, Delete of each list.
    QPushButton* baseButton(int i) const { return m_baseButtons[i]; }
    QPushButton* typeButton(int i) const { return m_typeButtons[i]; }

Q_SIGNALS:
    // A modified row was switched to; the panes follow it.
    void baseSwitched(const BaseSwitch& change);
    // The panes drop the base's materials; the tree empties when it was open.
    void baseDeleted(int baseId, bool wasOpen);
    // The toolbar's type selector is rebuilt.
    void typesChanged();

private:
    void refreshBases(int selectRow);
    void refreshTypes();
    int selectedBaseId() const;
    void addBase();
    void modifyBase();
    void deleteBase();
    void editType(bool adding);

    LocalBaseList& m_bases;
    DescriptTypeChecklist& m_types;
    Prompter& m_prompter;
    QTreeWidget* m_baseList;
    QListWidget* m_typeList;
    QPushButton* m_baseButtons[3];
    QPushButton* m_typeButtons[3];
};
