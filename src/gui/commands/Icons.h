#pragma once

#include <QIcon>
#include <QString>

// The program's own small icons, drawn once, so every level of the tree and
// every kind of recycle-bin row is told apart at a glance whatever icon theme
// the desktop has.
namespace Icons {

QIcon root();
QIcon major();
QIcon minor();
QIcon material();
// A material that was open in a window when it was docked.
QIcon openMaterial();

// Toolbar commands that have no icon of the desktop's to borrow reliably.
QIcon save();
QIcon add();
QIcon remove();

// By the level of a category code (see CategoryCode::Level), or a recycle
// row's kind text.
QIcon forLevel(int level);
QIcon forRecycleKind(const QString& kind);

} // namespace Icons
