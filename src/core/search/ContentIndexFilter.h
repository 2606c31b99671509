#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

struct CurrentKnowledgeBase;
struct SearchRequest;

// Whether a file search may use the base's content index, and which folders
// it must read all the same: those the index has not seen since they last
// changed. The caller knows those (the window watches the folders; the
// command line compares them first).
struct ContentIndexUse {
    bool Enabled = false;
    QSet<QString> Distrusted; // material folders, named as ContentIndexer::FolderKey names them
};

// The material folders a file search can pass over because the content index
// vouches that none of their files holds the query: the index is asked for
// the folders with a file whose folded text holds every trigram of the
// folded query (for a regular expression, of the text every match holds).
// Folding makes one index serve searches with and without case; the exact
// search still decides in every folder it reads, so the rows are those of a
// search without the index.
namespace ContentIndexFilter {

// The distinct trigrams (three code points each) of what every match
// holds, folded; empty when that is shorter than three characters and the
// index cannot narrow the search.
QStringList Trigrams(const SearchRequest& request);

struct Skip {
    // For each of the folder keys asked about, whether to pass it over;
    // empty to read them all.
    QList<bool> PassOver;
    // The files the index holds in them that the search would have read
    // (by type, and hidden or not): it counts them as searched.
    qint64 FilesPassedOver = 0;
};

// Which of folderKeys to pass over; none when the index is missing, was
// built in another document-text mode, cannot be read, or the query is too
// short.
Skip FoldersToSkip(const SearchRequest& request, const CurrentKnowledgeBase& base,
                   const QStringList& folderKeys, const ContentIndexUse& use);

} // namespace ContentIndexFilter
