#include "CategoryTreeImport.h"

#include "CategoryTreeFile.h"
#include "LongTask.h"
#include "Prompter.h"
#include "SilentPrompter.h"
#include "TimeText.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "store/CategoryCode.h"
#include "store/KnowledgeStore.h"

#include <QHash>
#include <QSet>

using CategoryCode::Level;

namespace {

// The first free segment under each parent, as KnowledgeStore's
// NextChildSegment finds it, but from one read of the codes: asking the
// database anew for each of thousands of lines costs a scan each time.
class SegmentAllocator {
public:
    explicit SegmentAllocator(const QList<ItemRecord>& items) {
        for (const ItemRecord& item : items)
            take(item.ItemID);
    }

    // Counts the code as taken under every parent whose children's pattern
    // it matches, as the patterns of NextChildSegment do.
    void take(const QString& code) {
        if (code.size() != 6)
            return;
        if (code.endsWith(QLatin1String("0000")))
            m_slots[CategoryCode::kWholeBase].taken.insert(code.left(2));
        if (code.endsWith(QLatin1String("00")))
            m_slots[code.left(2) + QLatin1String("0000")].taken.insert(code.mid(2, 2));
        m_slots[code.left(4) + QLatin1String("00")].taken.insert(code.mid(4, 2));
    }

    // Empty when every segment under the parent is taken.
    QString next(const QString& parent) {
        Slots& s = m_slots[parent];
        // Segments are only ever taken, so the first free one never moves
        // back: the search goes on from where it stopped.
        while (s.taken.contains(s.cursor)) {
            s.cursor = CategoryCode::NextSegment(s.cursor);
            if (s.cursor == QLatin1String("00"))
                return {};
        }
        return s.cursor;
    }

private:
    struct Slots {
        QSet<QString> taken;
        QString cursor = QStringLiteral("01");
    };
    QHash<QString, Slots> m_slots;
};

QString failureText(int level) {
    switch (level) {
    case 0:
        return QStringLiteral("添加知识库根项失败!");
    case 1:
        return QStringLiteral("添加知识库大项失败!");
    default:
        return QStringLiteral("添加知识库小项失败!");
    }
}

} // namespace

CategoryTreeImport::Result CategoryTreeImport::ImportTree(const QString& filePath,
                                                          const QString& databasePath,
                                                          Prompter& prompter,
                                                          LongTaskRunner& runner) {
    QString failure;
    bool stopped = false;
    runner.run(QStringLiteral("正在导入知识库树目录…"), [&](TaskProgress& progress) {
        failure = Import(filePath, databasePath, progress, stopped);
    });
    if (stopped)
        return Result::Stopped;
    if (failure.isEmpty())
        return Result::Imported;
    prompter.message(failure, QStringLiteral("提示"), Prompter::Icon::Warning);
    return Result::Failed;
}

QString CategoryTreeImport::Import(const QString& filePath, const QString& databasePath,
                                   TaskProgress& progress, bool& stopped) {
    stopped = false;
    const QString noConnection = QStringLiteral("数据库连接失败!");
    Database database;
    SilentPrompter silent;
    KnowledgeStore store(database, silent);
    if (!database.Open(databasePath))
        return noConnection;
    const QList<CategoryTreeFile::Entry> entries = CategoryTreeFile::ReadEntries(filePath);
    if (entries.isEmpty())
        return {};

    // The taken codes are read under the write lock the inserts use: another
    // writer adding items meanwhile could otherwise be handed the same codes.
    Transaction transaction(database);
    QList<ItemRecord> existing;
    if (!transaction.IsActive() || !store.LoadAllItems(existing))
        return noConnection;
    SegmentAllocator allocator(existing);
    // Every new row goes after all others, as InsertItem places it; asked
    // once, since InsertItem's own query scans the table for each row.
    int preference = 0;
    if (!store.NextPreference(preference))
        return noConnection;
    const QString now = TimeText::now();
    const int total = int(entries.size());
    QString lastRoot;
    QString lastMajor;
    for (int i = 0; i < total; ++i) {
        const CategoryTreeFile::Entry& entry = entries[i];
        if (i % 256 == 0) {
            if (progress.stopRequested()) {
                stopped = true;
                return {}; // the transaction takes back what was added
            }
            progress.progressed(i, total);
        }
        const QString parent = entry.level == 0   ? CategoryCode::kWholeBase
                               : entry.level == 1 ? lastRoot
                                                  : lastMajor;
        const QString segment = allocator.next(parent);
        const QString code =
            segment.isEmpty() ? QString() : CategoryCode::ChildCode(parent, segment);
        if (code.isEmpty() || !store.InsertItemRow(code, entry.name, preference++, now))
            return failureText(entry.level);
        allocator.take(code);
        if (entry.level == 0) {
            lastRoot = code;
            lastMajor.clear();
        } else if (entry.level == 1) {
            lastMajor = code;
        }
    }
    progress.progressed(total, total);
    if (!transaction.Commit())
        return QStringLiteral("导入知识库树目录失败!");
    return {};
}
