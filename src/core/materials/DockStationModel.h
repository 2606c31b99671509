#pragma once

#include "DockEntry.h"
#include "DockStationFile.h"

#include <QAbstractTableModel>
#include <QList>

class KnowledgeStore;
class ProgramPaths;
class Prompter;
struct CurrentKnowledgeBase;

// The dock station: materials the user pinned, of any base, as its file holds
// them (DockStationFile), with what the rows show beyond the file: a rename
// made since, and whether the material was open when it was docked.
class DockStationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        IconColumn,
        NameColumn,
        PathColumn,
        DockTimeColumn,
        IdColumn,
        CodeColumn,
        TypeColumn,
        CreatorColumn,
        CreateTimeColumn,
        DescribeFileColumn,
        FolderColumn,
        NetworkMarkColumn,
        BaseIdColumn,
        BaseFolderColumn,
        ColumnCount
    };
    // The icon column answers whether the material was open when docked.
    enum Role { OpenWhenDockedRole = Qt::UserRole + 1 };

    DockStationModel(const ProgramPaths& paths, KnowledgeStore& store,
                     const CurrentKnowledgeBase& base, Prompter& prompter,
                     QObject* parent = nullptr);

    // Reads the file; a missing or unreadable one gives an empty station.
    void load();
    // Makes the file hold exactly the entries shown; false after a message
    // naming what could not be made.
    bool save();

    // Docks the material now, unless it is docked already (same id, same
    // base), which changes nothing. False only when the file could not be
    // written; the station keeps the entry anyway.
    bool add(const MaterialRecord& material, bool openInWindow, const QString& dockTime = {});
    bool removeRow(int row);
    bool isDocked(const QString& materialId, const QString& baseId) const;
    int rowOf(const QString& materialId, const QString& baseId) const;

    QList<DockEntry> entries() const;
    const DockEntry& entryAt(int row) const { return m_rows.at(row).entry; }
    // The record as the row shows it (a rename shows at once, the file keeps
    // the name as docked).
    MaterialRecord materialAt(int row) const;
    QString dockTimeAt(int row) const { return m_rows.at(row).entry.DockTime; }

    // Open of a docked material: its window is brought up when it is open
    // (after a message when its folder is gone), a material of another base
    // is refused with a message, else the caller opens it.
    enum class OpenAction { Activate, Open, Refused };
    OpenAction decideOpen(int row, bool openInWindow);
    // The caller could not open it: the entry goes, after a message.
    void openFailed(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

public Q_SLOTS:
    // An item of the open base was renamed: paths below it change on screen.
    void refreshPaths(const QString& code);
    // A material was renamed: its row shows the new name.
    void updateMaterial(const MaterialRecord& material);
    // A deleted material leaves the station, the file too.
    void forgetMaterial(const MaterialRecord& material);
    // A base removed from the configuration takes its entries with it.
    void forgetBase(const QString& baseId);

private:
    struct Row {
        DockEntry entry;
        QString shownName;
        QString shownPath;
        bool openWhenDocked = false;
    };
    void show(const QList<DockEntry>& entries);
    void rowChanged(int row);

    DockStationFile m_station;
    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    QList<Row> m_rows;
};
