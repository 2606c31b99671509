#pragma once

#include <QWidget>

class FileSearchPreferences;
class QCheckBox;
class QListWidget;
class QPushButton;
class SearchFileTypePage;

// The settings page "文件搜索设置": the search file groups, and every known
// file type checked for the selected group. The core asks for the texts and
// checks them; the page only shows the outcome, so after every edit it shows
// the page object afresh. Below them, the two choices kept in the profile:
// whether documents are searched by their text, and whether the open base
// keeps a content index (there is none to choose for when no base is open).
class CSearchFileTypeSet : public QWidget {
    Q_OBJECT
public:
    CSearchFileTypeSet(SearchFileTypePage& page, FileSearchPreferences& preferences,
                       const QString& openDatabasePath, QWidget* parent = nullptr);

    QListWidget* groupList() const { return m_groupList; }
    QListWidget* typeList() const { return m_typeList; }
    // Add, Modify, Delete of each list.
    QPushButton* groupButton(int i) const { return m_groupButtons[i]; }
    QPushButton* typeButton(int i) const { return m_typeButtons[i]; }
    QCheckBox* documentTextBox() const { return m_documentText; }
    QCheckBox* contentIndexBox() const { return m_contentIndex; }

Q_SIGNALS:
    // The "其它设置" page lists the groups and must rebuild its list.
    void groupsChanged();

private:
    void refresh();
    void run(bool (SearchFileTypePage::*edit)(), bool touchesGroups);

    SearchFileTypePage& m_page;
    QListWidget* m_groupList;
    QListWidget* m_typeList;
    QPushButton* m_groupButtons[3];
    QPushButton* m_typeButtons[3];
    QCheckBox* m_documentText;
    QCheckBox* m_contentIndex;
};
