#pragma once

#include <QStringList>

class QMimeData;

// What a file manager put on the clipboard when the user copied or cut files:
// the local paths, in the order the user selected them, and whether they were
// cut. The formats are those of the common Linux desktops: the plain list of
// addresses every manager writes, GNOME's "copy"/"cut" list (also written by
// Nautilus, Nemo, Caja and Thunar) and KDE's cut marker beside the plain list.
namespace PastedFiles {

struct Content {
    QStringList paths;
    bool cut = false;
};

// Addresses that are not local files (a web address copied from a browser)
// are left out; an empty list means there is nothing to paste.
Content read(const QMimeData& data);

} // namespace PastedFiles
