#pragma once

#include "ClearResult.h"
#include "MaterialRecord.h"
#include "RecycleRow.h"

#include <QAbstractTableModel>
#include <QList>
#include <optional>

class KnowledgeStore;
class Prompter;
class TreeService;
struct CurrentKnowledgeBase;

// The deleted items and materials of the open base, newest on top, with the
// two ways out: restore to live, or clear for good with the material folders.
class RecycleBinModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        IconColumn,
        NameColumn,
        KindColumn,
        PathColumn,
        DeleteTimeColumn,
        MaterialIdColumn,
        CodeColumn,
        CreateTimeColumn,
        ColumnCount
    };

    RecycleBinModel(KnowledgeStore& store, const CurrentKnowledgeBase& base, Prompter& prompter,
                    TreeService& treeService, QObject* parent = nullptr);

    // Reads every deleted item, then every deleted material, of the open base.
    void load();
    void clear();

    // A row newly sent to the recycle bin goes on top.
    void addRow(RecycleRow row);
    const RecycleRow& rowAt(int row) const { return m_rows.at(row); }
    const QList<RecycleRow>& rows() const { return m_rows; }

    bool restore(int row);
    // Asks first; deletes the rows and the material folders for good, here
    // and now (keepsake-cli; the window runs the clear off its thread).
    bool clearRow(int row);
    // Asks first; what to clear, or nothing when the user cancels.
    std::optional<ClearTarget> confirmClear(int row);
    // Takes what a clear did off the list in one pass and says what went
    // wrong; true when it finished.
    bool applyCleared(const ClearResult& result);

    // The names on the display paths changed.
    void refreshPaths();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // A restored material is live again under its item.
    void materialRestored(const MaterialRecord& material);
    // A cleared material is gone for good, with its folder.
    void materialCleared(const QString& materialId);

private:
    void removeRowsWhere(const std::function<bool(const RecycleRow&)>& matches);
    void failed(const QString& text);

    KnowledgeStore& m_store;
    const CurrentKnowledgeBase& m_base;
    Prompter& m_prompter;
    TreeService& m_treeService;
    QList<RecycleRow> m_rows;
};
