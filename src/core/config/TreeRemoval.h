#pragma once

#include <QString>

// Deletes a folder with everything below it at the speed of "rm -rf": one
// directory handle per level and unlinkat for each entry, instead of a file
// information object per entry. A symbolic link is removed itself, never
// followed, wherever it appears.
namespace TreeRemoval {

// True when nothing is left at path (a missing path included).
bool Remove(const QString& path);
// Deletes everything in the open folder and keeps the folder (and the
// handle, which stays the caller's).
bool EmptyFolder(int folderFd);

} // namespace TreeRemoval
