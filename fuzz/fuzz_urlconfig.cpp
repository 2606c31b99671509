// The URL-group file on any bytes, through the reader and writer the program
// uses. Every group and entry survives a save and a load, a second save
// writes the same bytes as the first, and every group the list offers can be
// shown: what the program writes, it reads back unchanged.

#include "FuzzSupport.h"
#include "config/ConfigFileWriter.h"
#include "web/UrlGroups.h"

#include <QDir>

#include <cstddef>
#include <cstdint>

namespace {

const QString kFile = QStringLiteral("ResourceConfig/UserUrlConfig.ini");

// A read field can hold a carriage return, which the file could not keep
// apart from the line end; the writer makes it a blank.
QString asWritten(const QString& field) {
    return QString(field).replace(QLatin1Char('\r'), QLatin1Char(' '));
}

UrlLists asWritten(UrlLists lists) {
    for (UrlGroup& g : lists.groups)
        g = {asWritten(g.ID), asWritten(g.Name)};
    for (UrlRecord& e : lists.entries) {
        e = {asWritten(e.ID), asWritten(e.GroupID), asWritten(e.TimeAdded), asWritten(e.Title),
             asWritten(e.Address)};
    }
    return lists;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool folderMade =
        QDir().mkpath(Fuzz::scratchPath(QStringLiteral("ResourceConfig")));
    FUZZ_EXPECT(folderMade);
    const QString path = Fuzz::writeScratch(kFile, QByteArrayView(data, qsizetype(size)));

    Fuzz::SilentPrompter prompter;
    UrlGroups urls(path, prompter);
    urls.load();
    const UrlLists read = urls.lists();
    for (const QString& name : urls.groupChoices())
        FUZZ_EXPECT(urls.entriesShown(name).size() <= read.entries.size());
    FUZZ_EXPECT(urls.highestEntryId() >= 0);

    FUZZ_EXPECT(ConfigFileWriter::Write(path, UrlConfigFile::Text(read)) ==
                ConfigFileWriter::Result::Written);
    const QByteArray saved = Fuzz::readScratch(kFile);
    const UrlLists reread = UrlConfigFile::Load(path);
    FUZZ_EXPECT_EQUAL(reread.groups.size(), read.groups.size());
    FUZZ_EXPECT_EQUAL(reread.entries.size(), read.entries.size());
    FUZZ_EXPECT(reread == asWritten(read));
    FUZZ_EXPECT(ConfigFileWriter::Write(path, UrlConfigFile::Text(reread)) ==
                ConfigFileWriter::Result::Written);
    FUZZ_EXPECT_EQUAL(Fuzz::readScratch(kFile), saved);
    FUZZ_EXPECT(prompter.messages == 0);
    return 0;
}
