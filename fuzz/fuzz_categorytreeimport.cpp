// A knowledge-base file (".QCK") imported into a blank base. Either every
// category the file gives is stored, in file order, under the parent the file
// puts it under, with a code of its own; or, when a parent has run out of
// codes, the user is told and nothing is stored.

#include "FuzzSupport.h"
#include "LongTask.h"
#include "TimeText.h"
#include "bases/CategoryTreeFile.h"
#include "bases/CategoryTreeImport.h"
#include "db/Database.h"
#include "store/CategoryCode.h"
#include "store/KnowledgeSchema.h"
#include "store/KnowledgeStore.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using Entry = CategoryTreeFile::Entry;

// Segments 01..ZZ: the children one parent can have.
constexpr int kCodesPerParent = 36 * 36 - 1;

const QString& databasePath() {
    static const QString path = [] {
        const QString p = Fuzz::scratchPath(QStringLiteral("Keepsake.mdb"));
        FUZZ_EXPECT(KnowledgeSchema::CreateDatabaseFile(p, TimeText::now()));
        return p;
    }();
    return path;
}

// The base's own connection, kept for the whole run, to look at what each
// import stored and to empty the tree again.
KnowledgeStore& store() {
    static Database database;
    static Fuzz::SilentPrompter prompter;
    static KnowledgeStore store(database, prompter);
    if (!database.IsOpen())
        FUZZ_EXPECT(database.Open(databasePath()));
    return store;
}

// The categories below the base, in the order they were added.
QList<ItemRecord> storedCategories() {
    QList<ItemRecord> items;
    FUZZ_EXPECT(store().LoadAllItems(items));
    items.removeIf([](const ItemRecord& item) { return CategoryCode::IsWholeBase(item.ItemID); });
    std::stable_sort(items.begin(), items.end(), [](const ItemRecord& a, const ItemRecord& b) {
        return a.Preference < b.Preference;
    });
    return items;
}

bool someParentIsFull(const QList<Entry>& entries) {
    int roots = 0;
    int majors = 0;
    int minors = 0;
    for (const Entry& entry : entries) {
        if (entry.level == 0) {
            majors = 0;
            ++roots;
        } else if (entry.level == 1) {
            minors = 0;
            ++majors;
        } else {
            ++minors;
        }
        if (std::max({roots, majors, minors}) > kCodesPerParent)
            return true;
    }
    return false;
}

void expectStoredAsInFile(const QList<Entry>& entries, const QList<ItemRecord>& stored) {
    FUZZ_EXPECT_EQUAL(stored.size(), entries.size());
    const CategoryCode::Level levels[] = {CategoryCode::Level::Root, CategoryCode::Level::Major,
                                          CategoryCode::Level::Minor};
    QSet<QString> codes;
    QString root;
    QString major;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString& code = stored.at(i).ItemID;
        FUZZ_EXPECT_EQUAL(stored.at(i).ItemName, entries.at(i).name);
        FUZZ_EXPECT(CategoryCode::IsWellFormed(code));
        FUZZ_EXPECT(CategoryCode::LevelOf(code) == levels[entries.at(i).level]);
        FUZZ_EXPECT(!codes.contains(code));
        codes.insert(code);
        switch (entries.at(i).level) {
        case 0:
            root = code;
            break;
        case 1:
            FUZZ_EXPECT(code.left(2) == root.left(2));
            major = code;
            break;
        default:
            FUZZ_EXPECT(code.left(4) == major.left(4));
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString file =
        Fuzz::writeScratch(QStringLiteral("tree.QCK"), QByteArrayView(data, qsizetype(size)));
    const QList<Entry> entries = CategoryTreeFile::ReadEntries(file);

    Fuzz::SilentPrompter prompter;
    InlineTaskRunner runner;
    const bool imported = CategoryTreeImport::ImportTree(file, databasePath(), prompter, runner) ==
                          CategoryTreeImport::Result::Imported;
    const QList<ItemRecord> stored = storedCategories();
    if (imported) {
        FUZZ_EXPECT(prompter.messages == 0);
        expectStoredAsInFile(entries, stored);
    } else {
        FUZZ_EXPECT(someParentIsFull(entries));
        FUZZ_EXPECT(prompter.messages == 1);
        FUZZ_EXPECT(stored.isEmpty());
    }

    FUZZ_EXPECT(store().ExecuteStatement(QStringLiteral("delete from ItemTable where ItemID<>?"),
                                         {CategoryCode::kWholeBase}));
    return 0;
}
