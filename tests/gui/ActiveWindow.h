#pragma once

#include <QWidget>
#include <QtTest>

// Shows the window at the given size and waits until it is the active one,
// since keys reach the commands' shortcuts only there; then gives `focus`
// the keys.
inline bool showActive(QWidget& window, QSize size, QWidget* focus) {
    window.resize(size);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    focus->setFocus();
    return true;
}
