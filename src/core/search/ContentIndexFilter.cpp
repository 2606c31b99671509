#include "ContentIndexFilter.h"

#include "CaseFold.h"
#include "FileTypeList.h"
#include "SearchRegExp.h"
#include "SearchRequest.h"
#include "store/ContentIndexStore.h"
#include "store/CurrentKnowledgeBase.h"

namespace {

bool countPassedOver(const SearchRequest& request, ContentIndexStore& store,
                     const QHash<qint64, QString>& skippedIds, ContentIndexFilter::Skip& skip) {
    const FileTypeList types(request.FileTypes);
    // Every type: the index counts them, a name at a time would cost more
    // than the search it spares on a large base.
    if (types.FitsEverything()) {
        QHash<qint64, qint64> counts;
        if (!store.CountFiles(request.IncludeHidden != 0, counts))
            return false;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (skippedIds.contains(it.key()))
                skip.FilesPassedOver += it.value();
        }
        return true;
    }
    QHash<QString, QStringList> names;
    if (!store.LoadFileNames(skippedIds, names))
        return false;
    for (const QStringList& folder : std::as_const(names)) {
        for (const QString& name : folder) {
            const bool hidden =
                name.startsWith(QLatin1Char('.')) || name.contains(QLatin1String("/."));
            if ((!hidden || request.IncludeHidden) &&
                types.Fits(name.mid(name.lastIndexOf(QLatin1Char('/')) + 1)))
                ++skip.FilesPassedOver;
        }
    }
    return true;
}

} // namespace

namespace ContentIndexFilter {

QStringList Trigrams(const SearchRequest& request) {
    const bool matchCase = request.MatchCase != 0;
    // Every text an expression's match must hold narrows the files, not
    // only the longest.
    const QStringList required = request.RegularExpression
                                     ? SearchRegExp::RequiredPieces(request.QueryText, matchCase)
                                     : QStringList{request.QueryText};
    QStringList trigrams;
    for (const QString& text : required) {
        const QList<uint> points = CaseFold::Folded(text).toUcs4();
        for (qsizetype i = 0; i + 3 <= points.size(); ++i) {
            const QString trigram =
                QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData() + i), 3);
            // Without case PCRE takes the long s for s, which the folding
            // does not: a trigram with s could miss a file that matches.
            if (request.RegularExpression && !matchCase && trigram.contains(u's'))
                continue;
            if (!trigrams.contains(trigram))
                trigrams.append(trigram);
        }
    }
    return trigrams;
}

Skip FoldersToSkip(const SearchRequest& request, const CurrentKnowledgeBase& base,
                   const QStringList& folderKeys, const ContentIndexUse& use) {
    if (!use.Enabled)
        return {};
    const QStringList trigrams = Trigrams(request);
    if (trigrams.isEmpty())
        return {};
    ContentIndexStore store;
    if (!store.OpenExisting(base.DatabasePath) || store.DocumentText() != request.DocumentText)
        return {};
    QHash<QString, ContentIndexStore::Folder> indexed;
    if (!store.LoadFolders(indexed))
        return {};
    const std::optional<QSet<QString>> holding = store.FoldersHolding(trigrams);
    if (!holding)
        return {};
    Skip skip;
    QHash<qint64, QString> skippedIds;
    for (const QString& key : folderKeys) {
        const auto folder = indexed.constFind(key);
        const bool vouched = folder != indexed.constEnd() && folder->Checked != 0 &&
                             !folder->AlwaysWalk && !use.Distrusted.contains(key);
        if (vouched && !holding->contains(key)) {
            skip.Folders.insert(key);
            skippedIds.insert(folder->Id, key);
        }
    }
    if (!skip.Folders.isEmpty() && !countPassedOver(request, store, skippedIds, skip))
        return {};
    return skip;
}

} // namespace ContentIndexFilter
