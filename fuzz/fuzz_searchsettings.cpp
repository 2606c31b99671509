// The search dialog's settings file on any bytes. Every flag reads as 0 or
// 1, and the settings the program saves read back as they were saved.

#include "FuzzSupport.h"
#include "config/ProgramPaths.h"
#include "search/SearchSettings.h"

#include <QDir>

#include <cstddef>
#include <cstdint>

namespace {

bool isFlag(int value) {
    return value == 0 || value == 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ProgramPaths paths(Fuzz::scratchPath({}), Fuzz::scratchPath({}));
    static const bool folderMade = QDir().mkpath(paths.configFolder());
    FUZZ_EXPECT(folderMade);

    Fuzz::writeScratch(QStringLiteral("ResourceConfig/SearchConfig.ini"),
                       QByteArrayView(data, qsizetype(size)));
    const SearchSettings read = SearchSettings::Load(paths.searchConfigFile());
    for (int value :
         {read.SearchFromNameFlag, read.SearchFromContentFlag, read.SearchFromFileFlag,
          read.OnlyShowFolderFlag, read.SearchFromTimeFlag, read.ShowResult1, read.ShowResult2,
          read.UpperLowerFlag, read.WildCardFlag, read.AllFixFlag, read.FileHideFlag})
        FUZZ_EXPECT(isFlag(value));

    Fuzz::SilentPrompter prompter;
    FUZZ_EXPECT(read.Save(paths, prompter));
    FUZZ_EXPECT(SearchSettings::Load(paths.searchConfigFile()) == read);
    return 0;
}
