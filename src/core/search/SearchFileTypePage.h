#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Prompter;
struct ResourceConfigData;

// The settings page "文件搜索设置": the file-type groups and every known
// type of the main configuration, edited in memory. The page shows two
// lists, sorted by text as they were at opening, with what is added later
// left where it is put; the check mark of a type shows whether it belongs
// to the selected group. Each edit asks through the prompter, checks the
// input and changes the configuration or nothing; the file is written by
// whoever closes the settings sheet.
class SearchFileTypePage {
public:
    SearchFileTypePage(ResourceConfigData& config, Prompter& prompter);

    QStringList GroupNames() const;
    QStringList TypePatterns() const;

    // -1 when nothing is selected.
    int SelectedGroup() const { return m_selectedGroup; }
    int SelectedType() const { return m_selectedType; }
    void SelectGroup(int row);
    void SelectType(int row);
    // Modify and delete of each list need a selected entry.
    bool GroupButtonsEnabled() const { return m_selectedGroup != -1; }
    bool TypeButtonsEnabled() const { return m_selectedType != -1; }

    bool IsTypeChecked(int row) const;
    // With a group selected, makes the type a member of it or not; without
    // one the mark changes nothing.
    void SetTypeChecked(int row, bool checked);

    // True when the configuration changed.
    bool AddGroup();
    bool ModifyGroup();
    bool DeleteGroup();
    bool AddType();
    bool ModifyType();
    bool DeleteType();

    // Any edit since opening; the sheet then writes the configuration.
    bool ConfigChanged() const { return m_configChanged; }
    // A group was added, renamed or deleted: the default-group list of the
    // "其它设置" page must be filled again.
    bool SearchGroupsChanged() const { return m_groupsChanged; }

private:
    struct Row {
        int id = 0;
        QString text;
    };

    // The typed text made fit for the file: "|" and line breaks would split
    // the record, blanks around it are dropped. Nothing when cancelled or
    // empty.
    std::optional<QString> ask(const QString& title, const QString& initial);
    bool isMember(int typeId, int groupId) const;
    static int rowOf(const QList<Row>& rows, const QString& text, int exceptRow = -1);
    static int afterRemoval(int removed, int remaining);

    ResourceConfigData& m_config;
    Prompter& m_prompter;
    QList<Row> m_groups;
    QList<Row> m_types;
    int m_selectedGroup = -1;
    int m_selectedType = -1;
    bool m_configChanged = false;
    bool m_groupsChanged = false;
};
