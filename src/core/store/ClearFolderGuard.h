#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The checks MaterialFolder::Remove makes before a folder may go (strictly
// inside the base's folder, no symbolic link on the way or at the end, the
// shape "XX/YY/ZZ/<id>/" of this material's folder), made at the speed a
// clear of a hundred thousand materials needs. The parents every material of
// an item shares are opened once, each step with O_NOFOLLOW, and kept open:
// a folder is then looked at and moved by its name in its parent, with no
// path to walk again and no link that could be swapped in on the way.
class ClearFolderGuard {
public:
    enum class State { Missing, Present, Refused };

    explicit ClearFolderGuard(const QString& filesRoot);
    ~ClearFolderGuard();
    ClearFolderGuard(const ClearFolderGuard&) = delete;
    ClearFolderGuard& operator=(const ClearFolderGuard&) = delete;

    // Present with the open parent folder and the folder's name in it,
    // Missing when there is nothing to delete, Refused when the stored folder
    // must not be touched.
    State check(const QString& relativeFolder, const QString& materialId, int& parentFd,
                QByteArray& name);
    // Closes the parents: another writer may change the folders between two
    // batches.
    void forget();

private:
    // The open folder at the relative path (one segment more than parent),
    // -1 when missing, -2 when refused.
    int openStep(int parentFd, const QByteArray& path, const QByteArray& segment);

    int m_rootFd = -1;
    QHash<QByteArray, int> m_open;
};
