#include "MaterialPages.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace MaterialPages {

namespace {

const QStringList& suffixesInOrder() {
    static const QStringList suffixes = {QStringLiteral("htm"), QStringLiteral("mht"),
                                         QStringLiteral("html")};
    return suffixes;
}

QFileInfoList pageFiles(const QString& folder) {
    // Name filters match without regard to case unless told otherwise.
    return QDir(folder).entryInfoList(
        {QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.mht")}, QDir::Files);
}

} // namespace

QStringList names(const QString& folder) {
    QStringList result;
    for (const QFileInfo& file : pageFiles(folder)) {
        if (!file.completeBaseName().isEmpty())
            result << file.completeBaseName();
    }
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

std::optional<QString> resolve(const QString& folder, const QString& name) {
    // A name never leads out of the material's folder.
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return std::nullopt;
    const QDir dir(folder);
    const QFileInfoList files = pageFiles(folder);
    for (const QString& suffix : suffixesInOrder()) {
        const QFileInfo exact(dir.filePath(name + QLatin1Char('.') + suffix));
        if (exact.isFile())
            return exact.filePath();
        for (const QFileInfo& file : files) {
            if (file.completeBaseName() == name &&
                file.suffix().compare(suffix, Qt::CaseInsensitive) == 0)
                return file.filePath();
        }
    }
    return std::nullopt;
}

} // namespace MaterialPages
