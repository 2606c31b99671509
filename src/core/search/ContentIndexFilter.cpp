#include "ContentIndexFilter.h"

#include "CaseFold.h"
#include "FileTypeList.h"
#include "SearchRegExp.h"
#include "SearchRequest.h"
#include "store/ContentIndexStore.h"
#include "store/CurrentKnowledgeBase.h"

namespace {

// The files of the folders passed over that a search would have read, each
// folder as often as a material names it, as the search would have walked
// it; -1 when the index cannot be read.
qint64 countPassedOver(const SearchRequest& request, ContentIndexStore& store,
                       const QList<const ContentIndexStore::Folder*>& passedOver) {
    const FileTypeList types(request.FileTypes);
    qint64 count = 0;
    if (types.FitsEverything()) {
        // The index has counted them, where a name at a time would cost more
        // than the search it spares on a large base.
        for (const ContentIndexStore::Folder* folder : passedOver)
            count += request.IncludeHidden ? folder->Files : folder->VisibleFiles;
        return count;
    }
    QHash<qint64, QString> ids;
    for (const ContentIndexStore::Folder* folder : passedOver)
        ids.insert(folder->Id, folder->Path);
    QHash<QString, QStringList> names;
    if (!store.LoadFileNames(ids, names))
        return -1;
    for (const ContentIndexStore::Folder* folder : passedOver) {
        for (const QString& name : names.value(folder->Path)) {
            const bool hidden =
                name.startsWith(QLatin1Char('.')) || name.contains(QLatin1String("/."));
            if ((!hidden || request.IncludeHidden) &&
                types.Fits(name.mid(name.lastIndexOf(QLatin1Char('/')) + 1)))
                ++count;
        }
    }
    return count;
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
    QList<const ContentIndexStore::Folder*> passedOver;
    skip.PassOver.reserve(folderKeys.size());
    for (const QString& key : folderKeys) {
        const auto folder = indexed.constFind(key);
        const bool vouched = folder != indexed.constEnd() && folder->Checked != 0 &&
                             !folder->AlwaysWalk && !use.Distrusted.contains(key);
        const bool passOver = vouched && !holding->contains(key);
        skip.PassOver.append(passOver);
        if (passOver)
            passedOver.append(&*folder);
    }
    if (passedOver.isEmpty())
        return {};
    skip.FilesPassedOver = countPassedOver(request, store, passedOver);
    if (skip.FilesPassedOver < 0)
        return {};
    return skip;
}

} // namespace ContentIndexFilter
