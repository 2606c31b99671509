#include "UserInfoSettings.h"

#include "Workspace.h"

UserInfoSettings::UserInfoSettings(Workspace& workspace) : m_workspace(workspace) {
    buildBaseEntries();
    buildGroupNames();
}

bool UserInfoSettings::startsWithBase() const {
    return m_workspace.config().IsStartLoggResource == 1;
}

void UserInfoSettings::setStartsWithBase(bool on) {
    m_workspace.config().IsStartLoggResource = on ? 1 : 0;
}

void UserInfoSettings::buildBaseEntries() {
    m_baseEntries.clear();
    m_unavailable.clear();
    for (const LocalResourceRecord& base : std::as_const(m_workspace.config().LocalResources)) {
        m_baseEntries.append(KnowledgeBaseSelector::EntryText(base));
        m_unavailable.append(base.Unavailable.isEmpty() ? QString() : UnavailableText(base));
    }
}

int UserInfoSettings::startBaseIndex() const {
    const int id = m_workspace.config().StartResourceID;
    for (int i = 0; i < m_baseEntries.size(); ++i) {
        if (KnowledgeBaseSelector::EntryId(m_baseEntries.at(i)) == id)
            return i;
    }
    return -1;
}

bool UserInfoSettings::refreshBaseEntries() {
    bool& stale = m_workspace.changeFlags().BasesChanged;
    if (!stale)
        return false;
    buildBaseEntries();
    stale = false;
    return true;
}

void UserInfoSettings::chooseStartBase(const QString& entry) {
    const std::optional<int> id = KnowledgeBaseSelector::EntryId(entry);
    if (!startsWithBase() || !id || !m_workspace.config().base(*id))
        return;
    m_workspace.config().StartResourceID = *id;
}

void UserInfoSettings::buildGroupNames() {
    m_groupNames.clear();
    for (const SearchGroupRecord& group : std::as_const(m_workspace.config().SearchGroups))
        m_groupNames.append(group.Name);
}

int UserInfoSettings::searchGroupIndex() const {
    const QList<SearchGroupRecord>& groups = m_workspace.config().SearchGroups;
    for (int i = 0; i < groups.size(); ++i) {
        if (groups.at(i).GroupID == m_workspace.config().SearchFileTypeGroupID)
            return i;
    }
    return -1;
}

bool UserInfoSettings::refreshGroupNames() {
    bool& stale = m_workspace.changeFlags().SearchGroupsChanged;
    if (!stale)
        return false;
    buildGroupNames();
    stale = false;
    return true;
}

void UserInfoSettings::chooseSearchGroup(const QString& name) {
    for (const SearchGroupRecord& group : std::as_const(m_workspace.config().SearchGroups)) {
        if (group.Name == name) {
            m_workspace.config().SearchFileTypeGroupID = group.GroupID;
            return;
        }
    }
}
