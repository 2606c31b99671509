// The main configuration on any bytes. The bytes after the first zero byte,
// where the reader stops, become the ini file of a base that the
// configuration can name as "base.ini". What the program writes for the
// configuration it read reads back as the same configuration, and tidying
// it twice changes nothing.

#include "FuzzSupport.h"
#include "config/ConfigFileWriter.h"
#include "config/ResourceConfig.h"

#include <QDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// Bases are named by path; a relative one is found in the current folder,
// which is the scratch folder while the configuration is read, so an input
// can name its own base. A crash in between leaves its input there unless
// libFuzzer is given an -artifact_prefix, as scripts/fuzz.sh does.
bool loadInScratch(ResourceConfigData& config, const QString& name) {
    const QString before = QDir::currentPath();
    QDir::setCurrent(Fuzz::scratchPath({}));
    const bool loaded = LoadResourceConfig(config, Fuzz::scratchPath(name), [] { return false; });
    QDir::setCurrent(before);
    return loaded;
}

bool sameBases(const QList<LocalResourceRecord>& a, const QList<LocalResourceRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const LocalResourceRecord& x, const LocalResourceRecord& y) {
                          return x.ID == y.ID && x.ResourceName == y.ResourceName &&
                                 x.IniPath == y.IniPath &&
                                 x.ResourceFilePath == y.ResourceFilePath &&
                                 x.CreateTime == y.CreateTime;
                      });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const qsizetype zero = bytes.indexOf('\0');
    Fuzz::writeScratch(QStringLiteral("base.ini"),
                       zero < 0 ? QByteArrayView() : bytes.sliced(zero + 1));
    // Not an ini name, so that no input can take the configuration for a base.
    Fuzz::writeScratch(QStringLiteral("config"), bytes);

    ResourceConfigData read;
    if (!loadInScratch(read, QStringLiteral("config"))) {
        FUZZ_EXPECT(read.LocalResources.isEmpty() && read.SearchAllFiles.isEmpty());
        return 0;
    }
    // A base that cannot be used stays registered, and says why.
    for (const LocalResourceRecord& base : read.LocalResources)
        FUZZ_EXPECT(base.ID > 0 &&
                    (!base.Unavailable.isEmpty() ||
                     (!base.ResourceName.isEmpty() && !base.ResourceFilePath.isEmpty())));

    ResourceConfigData tidied = read;
    NormaliseResourceConfig(tidied);
    const QString written = ResourceConfigText(tidied);
    NormaliseResourceConfig(tidied);
    FUZZ_EXPECT_EQUAL(ResourceConfigText(tidied), written);

    Fuzz::writeScratch(QStringLiteral("config-again"), ConfigFileWriter::Encode(written));
    ResourceConfigData reread;
    FUZZ_EXPECT(loadInScratch(reread, QStringLiteral("config-again")));
    FUZZ_EXPECT_EQUAL(ResourceConfigText(reread), written);
    FUZZ_EXPECT(sameBases(reread.LocalResources, tidied.LocalResources));
    return 0;
}
