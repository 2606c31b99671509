#include "PastedFiles.h"

#include <QMimeData>
#include <QUrl>

namespace PastedFiles {

namespace {

const QString kGnomeFormat = QStringLiteral("x-special/gnome-copied-files");
const QString kKdeCutFormat = QStringLiteral("application/x-kde-cutselection");

void addLocalPath(QStringList& paths, const QUrl& url) {
    if (url.isLocalFile() && !url.toLocalFile().isEmpty())
        paths.append(url.toLocalFile());
}

} // namespace

Content read(const QMimeData& data) {
    Content content;
    if (data.hasFormat(kGnomeFormat)) {
        // "copy" or "cut" on the first line, then one address a line; some
        // managers end the text with a zero byte or a line break.
        const QString text = QString::fromUtf8(data.data(kGnomeFormat));
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!lines.isEmpty()) {
            content.cut = lines.first().trimmed() == QLatin1String("cut");
            for (qsizetype i = 1; i < lines.size(); ++i) {
                QString line = lines.at(i).trimmed();
                line.remove(QChar(0));
                addLocalPath(content.paths, QUrl(line));
            }
        }
        if (!content.paths.isEmpty())
            return content;
    }
    const QList<QUrl> urls = data.urls();
    for (const QUrl& url : urls)
        addLocalPath(content.paths, url);
    if (data.hasFormat(kKdeCutFormat))
        content.cut = data.data(kKdeCutFormat).trimmed() == "1";
    return content;
}

} // namespace PastedFiles
