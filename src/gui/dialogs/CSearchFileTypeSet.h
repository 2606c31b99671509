#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;
class SearchFileTypePage;

// The settings page "文件搜索设置": the search file groups, and every known
// file type checked for the selected group. The core asks for the texts and
// checks them; the page only shows the outcome, so after every edit it shows
// the page object afresh.
class CSearchFileTypeSet : public QWidget {
    Q_OBJECT
public:
    explicit CSearchFileTypeSet(SearchFileTypePage& page, QWidget* parent = nullptr);

    QListWidget* groupList() const { return m_groupList; }
    QListWidget* typeList() const { return m_typeList; }
    // Add, Modify, Delete of each list.
    QPushButton* groupButton(int i) const { return m_groupButtons[i]; }
    QPushButton* typeButton(int i) const { return m_typeButtons[i]; }

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
};
