#include "CSystemSettingSheet.h"

#include "CLocalResourceSet.h"
#include "CSearchFileTypeSet.h"
#include "CUserInfoPage.h"
#include "DialogRows.h"
#include "Workspace.h"

#include <QTabWidget>
#include <QVBoxLayout>

CSystemSettingSheet::CSystemSettingSheet(Workspace& workspace, Profile& profile, QWidget* parent)
    : QDialog(parent), m_sheet(workspace), m_searchTypes(workspace.config(), workspace.prompter()),
      m_preferences(profile) {
    setWindowTitle(SystemSettingsSheet::Title());
    m_tabs = new QTabWidget(this);
    m_basesPage =
        new CLocalResourceSet(m_sheet.bases(), m_sheet.types(), workspace.prompter(), m_tabs);
    const CurrentKnowledgeBase& base = workspace.currentBase();
    m_searchPage = new CSearchFileTypeSet(m_searchTypes, m_preferences,
                                          base.IsOpen() ? base.DatabasePath : QString(), m_tabs);
    m_userPage = new CUserInfoPage(m_sheet.userInfo(), profile, m_tabs);
    const QStringList titles = SystemSettingsSheet::PageTitles();
    m_tabs->addTab(m_basesPage, titles.value(SystemSettingsSheet::LocalResourcePage));
    m_tabs->addTab(m_searchPage, titles.value(SystemSettingsSheet::SearchFileTypePage));
    m_tabs->addTab(m_userPage, titles.value(SystemSettingsSheet::UserInfoPage));

    connect(m_basesPage, &CLocalResourceSet::baseSwitched, this,
            &CSystemSettingSheet::baseSwitched);
    connect(m_basesPage, &CLocalResourceSet::baseDeleted, this, &CSystemSettingSheet::baseDeleted);
    connect(m_basesPage, &CLocalResourceSet::typesChanged, this,
            &CSystemSettingSheet::typesChanged);
    connect(m_searchPage, &CSearchFileTypeSet::groupsChanged, this,
            [this] { m_sheet.searchGroupsChanged(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    DialogRows::okCancel(this, layout);
    resize(720, 520);
}

void CSystemSettingSheet::done(int result) {
    // Every way out ends here, the close box included.
    m_sheet.close();
    Q_EMIT closed();
    QDialog::done(result);
}
