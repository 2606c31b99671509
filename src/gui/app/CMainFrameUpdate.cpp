// The main window's part in the update check: the check starts when the
// window is up, and a notice it finds opens beside the window.

#include "CMainFrame.h"

#include "dialogs/UpdateNoticeWindow.h"
#include "web/UpdateCheck.h"

void CMainFrame::startUpdateCheck() {
    if (m_updateCheck == nullptr) {
        m_updateCheck = new UpdateCheck(m_profile, m_workspace.paths().programFolder(), this);
        connect(m_updateCheck, &UpdateCheck::noticeFound, this, [this](const UpdateNotice& notice) {
            (new UpdateNoticeWindow(notice, this))->show();
        });
    }
    m_updateCheck->start();
}
