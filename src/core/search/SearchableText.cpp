#include "SearchableText.h"

#include "FileContentSearch.h"
#include "config/TextCodec.h"

#include <QFile>
#include <cstring>

namespace SearchableText {

bool IsDocument(QStringView fileName) {
    for (const char* suffix : {".rtf", ".htm", ".html", ".mht", ".mhtml"}) {
        if (fileName.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

std::optional<QString> Read(const QString& path, bool documentText) {
    Q_UNUSED(documentText);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    // The head is judged as the search judges it: as cut off unless the text
    // ends, at a zero byte, within the first block the search reads.
    bool mayBeCut = true;
    if (const void* zero = std::memchr(bytes.constData(), 0, size_t(bytes.size()))) {
        const qsizetype end = static_cast<const char*>(zero) - bytes.constData();
        bytes.truncate(end);
        if (end < FileContentSearch::kBlockSize)
            mayBeCut = end > FileContentSearch::kEncodingHead;
    }
    const qsizetype head = std::min(bytes.size(), FileContentSearch::kEncodingHead);
    if (TextCodec::readsAsUtf8(QByteArrayView(bytes.constData(), head), mayBeCut))
        return QString::fromUtf8(bytes);
    return TextCodec::decode(bytes);
}

} // namespace SearchableText
