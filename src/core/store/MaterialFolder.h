#pragma once

#include <QHash>
#include <QString>

// The folder of a material: the base's folder joined with the material's
// stored relative folder. The stored value comes from the database, which a
// damaged or hostile base may fill with anything, so every use that reads,
// writes or deletes goes through here.
namespace MaterialFolder {

// The absolute folder (without a trailing "/"), or empty when the relative
// folder is empty, absolute, climbs with "..", or leads (through a symbolic
// link) anywhere but strictly inside the base's folder.
QString Resolve(const QString& filesRoot, const QString& relativeFolder);

// Resolves the folders of many materials of one base as Resolve does, each
// folder on the way looked at once however many materials lie below it: the
// file search resolves every material's folder before it starts. What it
// saw is kept for its lifetime, so it lives no longer than one such pass.
class Resolver {
public:
    explicit Resolver(const QString& filesRoot);
    // Join, then LeadsInside: the folder, or empty.
    QString Resolve(const QString& relativeFolder);
    // The folder the stored value names, from its text alone: empty when the
    // value is empty, absolute, or climbs with "..".
    QString Join(const QString& relativeFolder) const;
    // Whether a folder Join gave leads nowhere but strictly inside the
    // base's folder: a look on disk at every step of the way.
    bool LeadsInside(const QString& folder);

private:
    enum class Step { Plain, Link, Missing };
    Step look(const QString& path);

    QString m_root;
    bool m_rootExists;
    QHash<QString, Step> m_steps;
};

// A file directly in the material's folder, or empty when the folder is
// refused as above, the stored name is no plain file name, or the file is a
// symbolic link (which could lead anywhere).
QString FileIn(const QString& filesRoot, const QString& relativeFolder, const QString& fileName);

// A new material's folder that already holds files (left by a creation that
// died between making the folder and storing the row, or put there by hand)
// must not pass for the new material's own: such a folder is renamed to
// "<folder>.stale-<yyyyMMddHHmmss>", with "-2", "-3"… when that name is taken.
// The new name; empty when the folder is missing or empty and can be used as
// it is. failed is set when the folder holds files and cannot be renamed.
QString MoveAsideIfUsed(const QString& folder, bool& failed);

enum class Removal { Removed, NotThere, Refused, Failed };

// Deletes the material's folder with everything in it, never following a
// symbolic link. A folder that is not there counts as removed. One that is
// there is deleted only when it has the shape the program gives the folder of
// this material, "XX/YY/ZZ/<id>/": a shorter path names a folder that holds
// other materials' folders, or the base's own files, and one ending in
// another id is another material's.
Removal Remove(const QString& filesRoot, const QString& relativeFolder, const QString& materialId);

// As Remove, under the same guards, but renames the folder to target (a path
// on the same file system that does not exist yet) instead of deleting it, so
// that a clear whose rows cannot be deleted can put the folder back. On
// Removed, movedFrom (when given) receives the folder's absolute path.
Removal MoveTo(const QString& filesRoot, const QString& relativeFolder, const QString& materialId,
               const QString& target, QString* movedFrom = nullptr);

} // namespace MaterialFolder
