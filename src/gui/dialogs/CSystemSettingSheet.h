#pragma once

#include "search/FileSearchPreferences.h"
#include "search/SearchFileTypePage.h"
#include "workspace/SystemSettingsSheet.h"

#include <QDialog>

class CLocalResourceSet;
class CSearchFileTypeSet;
class CUserInfoPage;
class Profile;
class QTabWidget;
class Workspace;

// "系统设置": the three settings pages in one modal sheet. The pages change
// the configuration as the user works; it is saved when the sheet goes away,
// by OK, Cancel or the close box alike.
class CSystemSettingSheet : public QDialog {
    Q_OBJECT
public:
    CSystemSettingSheet(Workspace& workspace, Profile& profile, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    CLocalResourceSet* basesPage() const { return m_basesPage; }
    CSearchFileTypeSet* searchPage() const { return m_searchPage; }
    CUserInfoPage* userPage() const { return m_userPage; }

    void done(int result) override;

Q_SIGNALS:
    // Passed on from the bases page for the main window's panes.
    void baseSwitched(const BaseSwitch& change);
    void baseDeleted(int baseId, bool wasOpen);
    // A description-file type changed; the toolbar's type selector shows it.
    void typesChanged();
    // The configuration was saved; the toolbar's type selector is rebuilt.
    void closed();

private:
    SystemSettingsSheet m_sheet;
    SearchFileTypePage m_searchTypes;
    FileSearchPreferences m_preferences;
    QTabWidget* m_tabs;
    CLocalResourceSet* m_basesPage;
    CSearchFileTypeSet* m_searchPage;
    CUserInfoPage* m_userPage;
};
