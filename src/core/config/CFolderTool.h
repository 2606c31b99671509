#pragma once

#include <QString>
#include <QStringList>

// Making, testing, copying and deleting folders for the settings writers,
// start-up, the first-run setup and the recycle bin. Paths use "/".
class CFolderTool {
public:
    // True when the path names an existing folder (a link to one counts).
    static bool IsDirectory(const QString& path);

    // True when anything is there, a dangling symbolic link included.
    static bool Exists(const QString& path);

    // Creates the folder and every missing folder above it. `created`, when
    // given, receives the folders this call made, outermost first, so that a
    // caller can take back exactly what it added.
    static bool CreatePath(const QString& path, QStringList* created = nullptr);

    // Deletes everything in the folder, and the folder itself when removeSelf
    // is true. Symbolic links are removed as links and never followed, so
    // nothing outside the tree is touched. False when anything stays behind.
    static bool DeleteTree(const QString& path, bool removeSelf);

    // Makes `target` a copy of the folder `source`, creating missing folders.
    // A file or folder already at a target place is kept, never replaced.
    // `created`, when given, receives every file and folder this call made, in
    // the order made. False when a part could not be copied, when source is
    // not a folder, or when target lies inside source.
    static bool CopyTree(const QString& source, const QString& target,
                         QStringList* created = nullptr);

    // The absolute path with every existing part resolved through its links,
    // so that two spellings of one place compare equal even before it exists.
    static QString ResolvedPath(const QString& path);

    // Removes the entries of a `created` list, last first. Folders are removed
    // only when empty, so whatever someone else put there meanwhile stays.
    static void RemoveCreated(const QStringList& created);
};
