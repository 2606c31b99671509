#pragma once

#include "DockEntry.h"

#include <QAbstractTableModel>
#include <QList>

class KnowledgeStore;
class Prompter;
struct CurrentKnowledgeBase;

// The dock station pane's rows: what the dock station file holds
// (MaterialService::dockStationChanged), with what a row shows beyond the
// file: a rename made since, and whether the material was open when it was
// docked.
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

    DockStationModel(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                     QObject* parent = nullptr);

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

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

public Q_SLOTS:
    // The station was read or changed: a row already shown keeps what it
    // shows beyond the file.
    void showEntries(const QList<DockEntry>& entries);
    // The material was docked just now.
    void markOpenWhenDocked(const MaterialRecord& material, bool openInWindow);
    // An item of the open base was renamed: paths below it change on screen.
    void refreshPaths(const QString& code);
    // A material was renamed: its row shows the new name.
    void updateMaterial(const MaterialRecord& material);

private:
    struct Row {
        DockEntry entry;
        QString shownName;
        QString shownPath;
        bool openWhenDocked = false;
    };
    void rowChanged(int row);

    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    QList<Row> m_rows;
};
