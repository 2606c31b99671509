// The dock station file on any bytes, through the reader and writer the
// program uses. Every entry survives a save and a load, and a second save
// writes the same bytes as the first: what the program writes, it reads back
// unchanged.

#include "FuzzSupport.h"
#include "config/ProgramPaths.h"
#include "materials/DockStationFile.h"

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

    Fuzz::SilentPrompter prompter;
    DockStationFile station(paths, prompter);

    Fuzz::writeScratch(kFile, QByteArrayView(data, qsizetype(size)));
    station.load();
    const QList<DockEntry> read = station.entries();
    for (const DockEntry& entry : read)
        FUZZ_EXPECT(entry.Material.NetworkMark == QLatin1String("0"));

    FUZZ_EXPECT(station.save());
    const QByteArray saved = Fuzz::readScratch(kFile);
    station.load();
    const QList<DockEntry> reread = station.entries();
    FUZZ_EXPECT_EQUAL(reread.size(), read.size());
    for (qsizetype i = 0; i < read.size(); ++i)
        FUZZ_EXPECT_EQUAL(reread.at(i).Fields(), asWritten(read.at(i)).Fields());
    FUZZ_EXPECT(station.save());
    FUZZ_EXPECT_EQUAL(Fuzz::readScratch(kFile), saved);
    FUZZ_EXPECT(prompter.messages == 0);
    return 0;
}
