#pragma once

#include <QString>

// The folder of a material: the base's folder joined with the material's
// stored relative folder. The stored value comes from the database, which a
// damaged or hostile base may fill with anything, so every use that writes or
// deletes goes through here.
namespace MaterialFolder {

// The absolute folder (without a trailing "/"), or empty when the relative
// folder is empty, absolute, climbs with "..", or leads (through a symbolic
// link) anywhere but strictly inside the base's folder.
QString Resolve(const QString& filesRoot, const QString& relativeFolder);

enum class Removal { Removed, NotThere, Refused, Failed };

// Deletes the material's folder with everything in it, never following a
// symbolic link. A folder that is not there counts as removed.
Removal Remove(const QString& filesRoot, const QString& relativeFolder);

} // namespace MaterialFolder
