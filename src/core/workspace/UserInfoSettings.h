#pragma once

#include <QStringList>

class Workspace;

// The settings page "其它设置": whether a base opens at start-up, which one,
// and the search group a file search starts with. Its two lists are built
// when the page opens; another page that changes bases or groups marks them
// stale (ConfigChangeFlags), and each list is rebuilt on its next drop-down.
class UserInfoSettings {
public:
    explicit UserInfoSettings(Workspace& workspace);

    // "系统启动是否自动加载本地知识库"; the start-base group is enabled with it.
    bool startsWithBase() const;
    void setStartsWithBase(bool on);

    // "name [ID]" per registered base; the index of the start base, or -1.
    const QStringList& baseEntries() const { return m_baseEntries; }
    int startBaseIndex() const;
    // Why the base of that entry cannot be used now ("知识库 '%1' 暂时无法使用:
    // %2"), or empty: it may still be chosen, it is only not there today.
    QString unavailableText(int index) const { return m_unavailable.value(index); }
    // The list is dropped down: true when it was stale and has been rebuilt.
    bool refreshBaseEntries();
    // Ignored while the check box is off or no base has the entry's ID.
    void chooseStartBase(const QString& entry);

    const QStringList& groupNames() const { return m_groupNames; }
    int searchGroupIndex() const;
    bool refreshGroupNames();
    // The first group of that exact name becomes the default.
    void chooseSearchGroup(const QString& name);

private:
    void buildBaseEntries();
    void buildGroupNames();

    Workspace& m_workspace;
    QStringList m_baseEntries;
    QStringList m_unavailable; // by entry, empty where the base is there
    QStringList m_groupNames;
};
