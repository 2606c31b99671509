#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

// The checks MaterialFolder::Remove makes before a folder may go (strictly
// inside the base's folder, no symbolic link on the way or at the end, the
// shape "XX/YY/ZZ/<id>/" of this material's folder), made at the speed a
// clear of a hundred thousand materials needs: the parents every material of
// an item shares are looked at once, not once per material.
class ClearFolderGuard {
public:
    enum class State { Missing, Present, Refused };

    explicit ClearFolderGuard(const QString& filesRoot);

    // Present with the folder's path in native bytes, Missing when there is
    // nothing to delete, Refused when the stored folder must not be touched.
    State check(const QString& relativeFolder, const QString& materialId, QByteArray& path);
    // Another writer may have changed the folders between two batches.
    void forget() { m_safeParents.clear(); }

private:
    QByteArray m_root;
    bool m_rootExists = false;
    QSet<QByteArray> m_safeParents;
};
