#pragma once

#include <QByteArray>

class CommandRegistry;
class QMainWindow;

// How the toolbars look, as the user chose on the customize sheet: tool tips
// with or without the key, small or large icons, text under the icons.
struct BarOptions {
    bool showToolTips = true;
    bool shortcutsInToolTips = true;
    bool largeIcons = false;
    bool showTextUnderIcons = false;

    QByteArray save() const;
    // Anything unreadable keeps its default, so a damaged profile still
    // gives usable toolbars.
    static BarOptions restore(const QByteArray& saved);

    // Applies to every toolbar of the window and to the tool tips of the
    // commands. Call it again after the keys change: the tips name them.
    void apply(QMainWindow* window, CommandRegistry& commands) const;

    friend bool operator==(const BarOptions&, const BarOptions&) = default;
};
