#pragma once

#include "store/ItemRecord.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

class Prompter;
class KnowledgeStore;
struct CurrentKnowledgeBase;

// A knowledge-base file ("*.QCK"): a base's category tree without codes or
// materials, in the settings dialect. One section "[K_RESOURCE_DATA]", then
// one "DATA=level|name|" line per category (0 root, 1 major, 2 minor), each
// under the nearest line of the level above.
class CategoryTreeFile {
public:
    struct Entry {
        int level = 0;
        QString name;
        bool operator==(const Entry&) const = default;
    };
    struct Node {
        QString name;
        std::vector<Node> children;
    };

    static const QString kExtension; // "QCK"

    // The file's text for the rows of ItemTable in code order ("\n" line
    // ends, before encoding).
    static QString Text(const QList<ItemRecord>& items);

    // The categories the file gives, in file order. A major needs a root
    // above it and a minor a major since the last root; lines that have none,
    // and lines of any other level, are left out.
    static QList<Entry> ReadEntries(const QString& path);
    static QList<Entry> EntriesOf(const QByteArray& bytes);
    // The same as a tree, roots first.
    static std::vector<Node> TreeOf(const QList<Entry>& entries);

    // The preview button of the create-from-file dialog: the tree of the
    // file; nullopt after a notice when no file is named.
    static std::optional<std::vector<Node>> Preview(const QString& path, Prompter& prompter);

    // What the save dialog makes of a typed name: ".QCK" is added to a name
    // without an extension.
    static QString WithDefaultExtension(const QString& path);

    // Export of the open base's tree, the deleted categories included.
    // Nothing happens while no base is open (false). False after a message
    // when the file cannot be written; the old file, if any, then stays.
    static bool ExportTree(KnowledgeStore& store, const CurrentKnowledgeBase& base,
                           Prompter& prompter, const QString& path);
};
