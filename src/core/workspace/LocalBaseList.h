#pragma once

#include "bases/BaseSwitch.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct LocalResourceRecord;
class Workspace;

// The list of bases on the settings page "本地知识库设置": one row per
// registered base, in list order, and its Add, Modify and Delete. The rows
// are the configuration's records, changed in memory; the file is written
// when the settings sheet closes. Every change sets BasesChanged.
class LocalBaseList {
public:
    explicit LocalBaseList(Workspace& workspace) : m_workspace(workspace) {}

    static QStringList ColumnTitles(); // 名称, 路径, 知识文件存放路径, ID, 创建时间
    static QList<int> ColumnWidths();

    int rowCount() const;
    const LocalResourceRecord& rowAt(int row) const;
    QStringList rowTexts(int row) const;

    // The OK of "设置本地知识库" for a new row, with the chosen ini file. True
    // when the base was appended (last row, last selector entry).
    bool Add(const QString& iniPath);

    // The same dialog for a row: the row takes what the chosen ini file says,
    // its selector entry moves to the end, and the base is switched to. The
    // switch for the panes to follow, or nullopt when nothing changed.
    std::optional<BaseSwitch> Modify(int row, const QString& iniPath);

    // Delete of a row, after the user confirmed: the base and the types it
    // offered leave the configuration and the selector; no file is touched.
    // The panes then drop that base's materials (MaterialPanes::forgetBase),
    // and when it was the open base, the tree empties; its connection stays.
    struct Deletion {
        int baseId = -1;
        bool wasOpen = false;
    };
    std::optional<Deletion> Delete(int row);

private:
    struct IniValues {
        QString path;
        QString name;
        QString storageFolder;
        QString createTime;
    };
    // Read and checked, after a message when unusable.
    std::optional<IniValues> readIni(const QString& typedPath);
    bool registered(const QString& iniPath, int exceptRow) const;

    Workspace& m_workspace;
};
