#pragma once

#include <QString>

class QMainWindow;

// The look of the program: a skin (the style and colours of every window)
// and a paint theme (how the window's bars and pane titles are drawn). Both
// are named by the commands that choose them.
class WindowTheme {
public:
    // Remembers the platform's own style, which "系统风格" goes back to.
    explicit WindowTheme(QMainWindow& window);

    static bool isSkin(int command);
    static bool isPaintTheme(int command);

    // False for a command that is neither, which changes nothing.
    bool setSkin(int command);
    bool setPaintTheme(int command);
    int skin() const { return m_skin; }
    int paintTheme() const { return m_paintTheme; }

private:
    QMainWindow& m_window;
    QString m_systemStyle;
    int m_skin = 0;
    int m_paintTheme = 0;
};
