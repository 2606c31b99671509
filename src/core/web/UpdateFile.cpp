#include "UpdateFile.h"

#include "config/TextCodec.h"

#include <algorithm>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// One link line without its line feed, or nothing when it names no site.
std::optional<UpdateSite> siteOfLine(QByteArrayView line) {
    if (!line.startsWith("DOWNLOAD"))
        return std::nullopt;
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    const qsizetype bar = line.indexOf('|', equals + 1);
    if (bar < 0)
        return std::nullopt;
    const QByteArray name = UpdateFile::trimmed(line.sliced(equals + 1, bar - equals - 1));
    const QByteArray address = UpdateFile::trimmed(line.sliced(bar + 1));
    if (name.size() > UpdateFile::kMaxNameBytes || address.size() > UpdateFile::kMaxAddressBytes)
        return std::nullopt;
    // Checked once decoded: a stray byte that is no character leaves nothing
    // to show, and a row without a name or an address helps no one.
    const QString nameText = TextCodec::decode(name).trimmed();
    const QString addressText = TextCodec::decode(address).trimmed();
    if (nameText.isEmpty() || addressText.isEmpty())
        return std::nullopt;
    return UpdateSite{nameText, addressText};
}

} // namespace

QUrl UpdateSite::link() const {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return {};
    return url;
}

namespace UpdateFile {

QByteArray trimmed(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toByteArray();
}

std::optional<QByteArray> version(QByteArrayView body) {
    if (!body.startsWith("VERSION"))
        return std::nullopt;
    const QByteArrayView block = body.first(std::min(body.size(), kFirstBlockBytes));
    const qsizetype lineEnd = block.indexOf('\n');
    const qsizetype equals = block.indexOf('=');
    // A first line without "=", or one that does not end within the block,
    // names no version: the old reader took its version from there only.
    if (lineEnd < 0 || equals < 0 || equals > lineEnd)
        return std::nullopt;
    const QByteArray text = trimmed(block.sliced(equals + 1, lineEnd - equals - 1));
    // A zero byte would end the text early in the old comparison: such a
    // version is not one the program can tell anyone about.
    if (text.isEmpty() || text.size() > kMaxVersionBytes || text.contains('\0'))
        return std::nullopt;
    return text;
}

bool isNewer(QByteArrayView version) {
    const QByteArrayView own(kOwnVersion);
    return std::lexicographical_compare(
        own.begin(), own.end(), version.begin(), version.end(), [](char a, char b) {
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
        });
}

QList<UpdateSite> sites(QByteArrayView body) {
    QList<UpdateSite> found;
    qsizetype start = 0;
    while (start < body.size() && found.size() < kMaxSites) {
        const qsizetype feed = body.indexOf('\n', start);
        const qsizetype next = feed < 0 ? body.size() : feed + 1;
        const QByteArrayView line = body.sliced(start, next - start);
        start = next;
        if (line.size() > kMaxLineBytes)
            continue;
        if (const auto site = siteOfLine(line.endsWith('\n') ? line.chopped(1) : line))
            found << *site;
    }
    return found;
}

} // namespace UpdateFile
