// The layout file on any bytes, as a crash, another program or a hand edit
// may leave it: reading never fails hard, and what was read is written and
// read back the same, so a layout saved at exit is the one restored.

#include "FuzzSupport.h"
#include "config/LayoutFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<LayoutFile::Contents> read = LayoutFile::parse(bytes);
    if (!read)
        return 0;
    const QByteArray written = LayoutFile::format(*read);
    const std::optional<LayoutFile::Contents> again = LayoutFile::parse(written);
    FUZZ_EXPECT(again.has_value());
    FUZZ_EXPECT(*again == *read);
    FUZZ_EXPECT(LayoutFile::format(*again) == written);
    return 0;
}
