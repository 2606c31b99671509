#pragma once

#include "config/WindowLayout.h"

#include <QList>

class CommandRegistry;
class QMainWindow;

// The toolbars of a window as a layout keeps them, and back. Only the
// window's own toolbars count: a bar without an object name is someone
// else's (a pane's, the auto-hide tabs') and is left alone.
namespace WindowArrangement {

QList<BarLayout> captureBars(const QMainWindow& window);

// Puts each named toolbar's commands, separators and widgets in the order
// kept, and shows or hides it. A command the program no longer has is
// dropped; a widget the layout does not mention stays at the end of its
// bar, so no control is ever lost to an older file.
void applyBars(QMainWindow& window, const CommandRegistry& commands, const QList<BarLayout>& bars);

} // namespace WindowArrangement
