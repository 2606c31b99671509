// The dock station file on any bytes, through the model that loads it. Every
// entry survives a save and a load, and a second save writes the same bytes
// as the first: what the program writes, it reads back unchanged.

#include "FuzzSupport.h"
#include "config/ProgramPaths.h"
#include "db/Database.h"
#include "materials/DockStationModel.h"
#include "store/CurrentKnowledgeBase.h"
#include "store/KnowledgeStore.h"

#include <QDir>

#include <cstddef>
#include <cstdint>

namespace {

const QString kFile = QStringLiteral("ResourceConfig/NotePaperConfig.ini");

// A read text can hold a carriage return, which the file could not keep apart
// from the line end; the writer makes it a blank.
DockEntry asWritten(const DockEntry& entry) {
    QStringList fields = entry.Fields();
    for (QString& field : fields)
        field.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return DockEntry::FromFields(fields);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ProgramPaths paths(Fuzz::scratchPath({}), Fuzz::scratchPath({}));
    static const bool folderMade = QDir().mkpath(paths.configFolder());
    FUZZ_EXPECT(folderMade);

    // Loading and saving never touch the store or the open base.
    Database database;
    Fuzz::SilentPrompter prompter;
    KnowledgeStore store(database, prompter);
    const CurrentKnowledgeBase noBase;
    DockStationModel model(paths, store, noBase, prompter);

    Fuzz::writeScratch(kFile, QByteArrayView(data, qsizetype(size)));
    model.load();
    const QList<DockEntry> read = model.entries();
    FUZZ_EXPECT(model.rowCount() == read.size());
    for (const DockEntry& entry : read)
        FUZZ_EXPECT(entry.Material.NetworkMark == QLatin1String("0"));

    FUZZ_EXPECT(model.save());
    const QByteArray saved = Fuzz::readScratch(kFile);
    model.load();
    const QList<DockEntry> reread = model.entries();
    FUZZ_EXPECT_EQUAL(reread.size(), read.size());
    for (qsizetype i = 0; i < read.size(); ++i)
        FUZZ_EXPECT_EQUAL(reread.at(i).Fields(), asWritten(read.at(i)).Fields());
    FUZZ_EXPECT(model.save());
    FUZZ_EXPECT_EQUAL(Fuzz::readScratch(kFile), saved);
    FUZZ_EXPECT(prompter.messages == 0);
    return 0;
}
