#pragma once

#include "store/MaterialRecord.h"

#include <QAbstractTableModel>
#include <QList>
#include <functional>

class KnowledgeStore;
class MaterialClipboard;
class Prompter;
struct CurrentKnowledgeBase;

// What the material list and the list of open materials share: a row per
// material record in the thirteen columns, the Cut command, and keeping rows
// current when items are renamed or re-coded and materials are renamed,
// moved or deleted (MaterialService). A row carries the whole record, so
// every command works from the row alone.
class MaterialTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        IconColumn,
        NameColumn,
        PathColumn,
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
    // The icon column answers with the description type, for the view to
    // pick an icon.
    enum Role { TypeRole = Qt::UserRole + 1 };

    const MaterialRecord& materialAt(int row) const { return m_rows.at(row); }
    const QList<MaterialRecord>& materials() const { return m_rows; }
    // The row of the material (same id, same base), or -1.
    int rowOf(const QString& materialId, const QString& baseId) const;

    // Cut: the row waits in the clipboard for a paste onto a minor item.
    bool cut(int row);

    // Whether a material filed under code is listed under scope: everything
    // is under "000000", a root holds its majors' minors, a major its minors.
    static bool CodeIsUnder(const QString& code, const QString& scope);
    // What every code below the item starts with: two characters of a root,
    // four of a major, the whole code of a minor.
    static QString PrefixOf(const QString& code);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

public Q_SLOTS:
    // An item was renamed: the paths of materials anywhere below it change.
    void refreshPaths(const QString& code);
    // The name or description of a material changed.
    void updateMaterial(const MaterialRecord& material);
    // The material went to the recycle bin, or for good.
    virtual void forgetMaterial(const MaterialRecord& material);
    // A pasted item took a new code, and the items below it with it.
    virtual void recodeItem(const QString& oldCode, const QString& newCode);
    // Every material of one minor moved to another.
    virtual void moveMaterialsOfItem(const QString& fromCode, const QString& toCode);
    // One material moved.
    virtual void moveMaterial(const MaterialRecord& material, const QString& fromCode);
    // A base was removed from the configuration: its materials go.
    virtual void forgetBase(const QString& baseId);

Q_SIGNALS:
    // The cut material replaced whatever was cut before; the tree forgets
    // its cut items.
    void materialCut();

protected:
    MaterialTableModel(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                       MaterialClipboard& clipboard, const QString& describeFileTitle,
                       QObject* parent);

    bool inOpenBase(const MaterialRecord& material) const;
    void setRows(const QList<MaterialRecord>& rows);
    void appendRow(const MaterialRecord& material);
    void removeRowAt(int row);
    void rowChanged(int row);
    // Gives rows of the open base that are filed under old codes the new
    // ones, with their paths.
    void recodeRows(const std::function<QString(const QString&)>& newCodeOf);

    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    MaterialClipboard& m_clipboard;
    QList<MaterialRecord> m_rows;

private:
    QString m_describeFileTitle;
};
