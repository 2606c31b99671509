#include "SystemSettingsSheet.h"

#include "Workspace.h"

QStringList SystemSettingsSheet::PageTitles() {
    return {QStringLiteral("本地知识库设置"), QStringLiteral("文件搜索设置"),
            QStringLiteral("其它设置")};
}

SystemSettingsSheet::SystemSettingsSheet(Workspace& workspace)
    : m_workspace(workspace), m_bases(workspace), m_types(workspace), m_userInfo(workspace) {}

SystemSettingsSheet::~SystemSettingsSheet() {
    close();
}

void SystemSettingsSheet::searchGroupsChanged() {
    m_workspace.changeFlags().SearchGroupsChanged = true;
}

bool SystemSettingsSheet::close() {
    if (m_closed)
        return true;
    m_closed = true;
    return m_workspace.saveConfiguration();
}
