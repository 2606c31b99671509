#include "CaptureFileName.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

namespace CaptureFileName {

namespace {

// The longest of the endings the four names of one page take.
const QLatin1String kLongestEnding("_files");

const QStringList& endings() {
    static const QStringList list = {QStringLiteral(".htm"), QStringLiteral(".html"),
                                     QStringLiteral(".mht"), QStringLiteral("_files")};
    return list;
}

bool isBlankOrDot(QChar c) {
    return c == QLatin1Char('.') || c.isSpace();
}

// The longest start of `text` that takes at most `bytes` bytes in UTF-8,
// ending between two characters, never inside a surrogate pair.
QString fitBytes(const QString& text, qsizetype bytes) {
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype width =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate()
                ? 2
                : 1;
        const qsizetype size = text.mid(end, width).toUtf8().size();
        if (used + size > bytes)
            break;
        used += size;
        end += width;
    }
    return text.left(end);
}

// The names in the folder, their page endings in lower case, so that a
// "Page.HTM" made on Windows counts as taken too.
QSet<QString> takenNames(const QString& folder) {
    QSet<QString> taken;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        taken.insert(entry);
        for (const QString& ending : endings()) {
            if (entry.endsWith(ending, Qt::CaseInsensitive))
                taken.insert(entry.chopped(ending.size()) + ending);
        }
    }
    return taken;
}

// What the browser appends to a download's name until it has all of it.
const QLatin1String kPartialEnding(".download");

bool isFree(const QSet<QString>& taken, const QString& stem) {
    for (const QString& ending : endings()) {
        if (taken.contains(stem + ending))
            return false;
    }
    return true;
}

} // namespace

QString stemOf(const QString& title) {
    QString stem = title;
    for (QChar& c : stem) {
        // A line break or tab would split the name in the file lists.
        if (c == QLatin1Char('/') || c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    qsizetype start = 0;
    while (start < stem.size() && isBlankOrDot(stem[start]))
        ++start;
    return stem.mid(start).trimmed();
}

QString suffixOf(CaptureFormat format) {
    return format == CaptureFormat::SingleFile ? QStringLiteral(".mht") : QStringLiteral(".htm");
}

QString freePath(const QString& folder, const QString& title, const QString& fallback,
                 CaptureFormat format) {
    QString base = stemOf(title);
    if (base.isEmpty())
        base = stemOf(fallback);
    if (base.isEmpty())
        base = QStringLiteral("无标题");

    const QSet<QString> taken = takenNames(folder);
    for (int number = 1;; ++number) {
        const QString counter = number == 1 ? QString() : QStringLiteral(" (%1)").arg(number);
        const qsizetype room = kMaxBytes - counter.toUtf8().size() - kLongestEnding.size();
        const QString stem = fitBytes(base, room).trimmed() + counter;
        if (isFree(taken, stem))
            return QDir(folder).filePath(stem + suffixOf(format));
    }
}

QString freeDownloadPath(const QString& folder, const QString& suggested) {
    QString name = stemOf(suggested);
    if (name.isEmpty())
        name = QStringLiteral("下载");
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString base = dot > 0 ? name.left(dot) : name;
    QString extension = dot > 0 ? name.mid(dot) : QString();
    // A "name" that is mostly extension is cut as a whole.
    if (extension.toUtf8().size() > kMaxBytes / 2) {
        base = name;
        extension.clear();
    }

    const QDir dir(folder);
    for (int number = 1;; ++number) {
        const QString counter = number == 1 ? QString() : QStringLiteral(" (%1)").arg(number);
        const qsizetype room =
            kMaxBytes - kPartialEnding.size() - extension.toUtf8().size() - counter.toUtf8().size();
        const QString path = dir.filePath(fitBytes(base, room).trimmed() + counter + extension);
        const QString partial = path + kPartialEnding;
        // A dangling link counts as taken: writing through it would create
        // its target somewhere else.
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink() &&
            !QFileInfo::exists(partial) && !QFileInfo(partial).isSymLink())
            return path;
    }
}

} // namespace CaptureFileName
