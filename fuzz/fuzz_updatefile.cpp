// The update file on any bytes, as the server may send them: the version
// and the sites are read without a crash, within their limits, and nothing
// the server names becomes a link unless it is an http or https address.

#include "FuzzSupport.h"
#include "web/UpdateFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView body(reinterpret_cast<const char*>(data), qsizetype(size));

    if (const std::optional<QByteArray> version = UpdateFile::version(body)) {
        FUZZ_EXPECT(version->size() <= UpdateFile::kMaxVersionBytes);
        FUZZ_EXPECT(*version == UpdateFile::trimmed(*version));
        UpdateFile::isNewer(*version);
    }

    const QList<UpdateSite> sites = UpdateFile::sites(body);
    FUZZ_EXPECT(sites.size() <= UpdateFile::kMaxSites);
    for (const UpdateSite& site : sites) {
        FUZZ_EXPECT(!site.name.isEmpty());
        FUZZ_EXPECT(!site.address.isEmpty());
        const QUrl link = site.link();
        if (!link.isEmpty()) {
            FUZZ_EXPECT(link.scheme() == QLatin1String("http") ||
                        link.scheme() == QLatin1String("https"));
            FUZZ_EXPECT(!link.host().isEmpty());
        }
    }
    return 0;
}
