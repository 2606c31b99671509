#pragma once

#include "DescriptTypeChecklist.h"
#include "LocalBaseList.h"
#include "UserInfoSettings.h"

#include <QStringList>

class Workspace;

// The state of the modal sheet "系统设置" while it is shown. Its pages edit
// the configuration in memory; the file is written once, when the sheet goes
// away, whether by OK, Cancel or the close box (Cancel undoes nothing). The
// GUI's pages only show these objects and pass on what the user typed.
class SystemSettingsSheet {
public:
    enum Page { LocalResourcePage, SearchFileTypePage, UserInfoPage };

    static QString Title() { return QStringLiteral("系统设置"); }
    static QStringList PageTitles(); // in page order

    explicit SystemSettingsSheet(Workspace& workspace);
    // Closes the sheet if the GUI did not.
    ~SystemSettingsSheet();
    SystemSettingsSheet(const SystemSettingsSheet&) = delete;
    SystemSettingsSheet& operator=(const SystemSettingsSheet&) = delete;

    LocalBaseList& bases() { return m_bases; }
    DescriptTypeChecklist& types() { return m_types; }
    UserInfoSettings& userInfo() { return m_userInfo; }

    // The page "文件搜索设置" (file-type groups, kept under search/) joins the
    // sheet here; whenever it changes the groups it calls this, so the group
    // list of "其它设置" is rebuilt on its next drop-down.
    void searchGroupsChanged();

    // The sheet goes away: the configuration is saved (a failure has told
    // the user, naming the file). Then the GUI rebuilds the toolbar's type
    // selector from Workspace::typeSelectorItems(). Only the first call
    // saves.
    bool close();

private:
    Workspace& m_workspace;
    LocalBaseList m_bases;
    DescriptTypeChecklist m_types;
    UserInfoSettings m_userInfo;
    bool m_closed = false;
};
