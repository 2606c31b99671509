#pragma once

#include <QList>
#include <QString>

class Workspace;

// The description-file types on the settings page "本地知识库设置": every
// type in a check list whose marks show which types the base selected in the
// list of bases offers, with Add, Modify and Delete. Changes are made in the
// configuration in memory; the file is written when the sheet closes. After
// a change the toolbar's type selector is rebuilt from
// Workspace::typeSelectorItems(), which shows it at once for the open base.
class DescriptTypeChecklist {
public:
    // The types in configuration order, as the page opens.
    explicit DescriptTypeChecklist(Workspace& workspace);

    int count() const { return int(m_entries.size()); }
    QString patternAt(int index) const { return m_entries.at(index).pattern; }
    QStringList patterns() const;
    // Whether the base offers the type; false for no base (-1).
    bool isChecked(int index, int baseId) const;

    // -1 when none; Modify and Delete need one.
    int selected() const { return m_selected; }
    void select(int index);
    bool canModify() const { return m_selected >= 0; }

    // A check mark set or cleared for the selected base. Nothing changes
    // while no base is selected (-1). True when the configuration changed.
    bool setChecked(int index, int baseId, bool checked);

    // The OK of "添加描述文件类型": the pattern joins the end and is selected.
    bool Add(const QString& typed);
    // The OK of "修改描述文件类型" for the selected type: it takes the new
    // pattern under its id, keeps its marks, moves to the end and stays
    // selected. An empty text changes nothing.
    bool Modify(const QString& typed);
    // Delete of the selected type, after asking; refused while any base
    // offers it. The next type is selected.
    bool Delete();

private:
    struct Entry {
        int typeId = 0;
        QString pattern;
    };
    int indexOf(const QString& pattern) const;

    Workspace& m_workspace;
    QList<Entry> m_entries;
    int m_selected = -1;
};
