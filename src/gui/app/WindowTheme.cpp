#include "WindowTheme.h"

#include "commands/CommandIds.h"

#include <QApplication>
#include <QMainWindow>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {

// A light palette around one window colour, for the two skins of our own:
// Fusion draws them the same on every desktop.
QPalette lightPalette(const QColor& window, const QColor& highlight) {
    QPalette p(window);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, window.lighter(106));
    p.setColor(QPalette::Text, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::WindowText, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::ButtonText, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::Button, window.lighter(104));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xe1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    return p;
}

// Flat bars and plain pane titles.
const char kFlatBars[] = R"(
QToolBar { border: none; background: palette(window); spacing: 2px; padding: 1px; }
QToolBar QToolButton { border: 1px solid transparent; padding: 2px; }
QToolBar QToolButton:hover { background: #c1d2ee; border: 1px solid #316ac5; }
QToolBar QToolButton:checked { background: #e1e6ee; border: 1px solid #316ac5; }
QToolBar QToolButton[popupMode="1"] { padding-right: 12px; }
QToolBar QToolButton::menu-button { border: none; width: 11px; }
QDockWidget::title { background: palette(mid); padding: 3px; }
)";

// Rounded bars with a soft gradient, and pane titles to match.
const char kGradientBars[] = R"(
QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6f9fd, stop:1 #dae5f3); }
QToolBar { border: 1px solid #a7bcd8; border-radius: 3px; margin: 1px; padding: 2px; spacing: 3px;
           background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfdff, stop:1 #c6d8f0); }
QToolBar QToolButton { border: 1px solid transparent; border-radius: 2px; padding: 2px; }
QToolBar QToolButton:hover { border: 1px solid #e3a136;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff4d2, stop:1 #ffd58c); }
QToolBar QToolButton:checked { border: 1px solid #c28a30;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffe6a6, stop:1 #ffc86a); }
QToolBar QToolButton[popupMode="1"] { padding-right: 12px; }
QToolBar QToolButton::menu-button { border: none; width: 11px; }
QDockWidget::title { padding: 4px; border-bottom: 1px solid #8ba5c9;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfeff, stop:1 #c9d9ef); }
)";

} // namespace

WindowTheme::WindowTheme(QMainWindow& window)
    : m_window(window), m_systemStyle(QApplication::style()->name()) {}

bool WindowTheme::isSkin(int command) {
    return command >= CommandIds::SkinVistaBlue && command <= CommandIds::SkinSystem;
}

bool WindowTheme::isPaintTheme(int command) {
    return command == CommandIds::PaintTheme2002 || command == CommandIds::PaintTheme2005;
}

bool WindowTheme::setSkin(int command) {
    if (!isSkin(command))
        return false;
    m_skin = command;
    if (command == CommandIds::SkinSystem) {
        QApplication::setStyle(QStyleFactory::create(m_systemStyle));
        QApplication::setPalette(QApplication::style()->standardPalette());
        return true;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(
        command == CommandIds::SkinVistaBlue
            ? lightPalette(QColor(0xdb, 0xe6, 0xf4), QColor(0x33, 0x99, 0xff))
            : lightPalette(QColor(0xf3, 0xf3, 0xf3), QColor(0x5a, 0x7d, 0xa8)));
    return true;
}

bool WindowTheme::setPaintTheme(int command) {
    if (!isPaintTheme(command))
        return false;
    m_paintTheme = command;
    m_window.setStyleSheet(
        QString::fromUtf8(command == CommandIds::PaintTheme2002 ? kFlatBars : kGradientBars));
    return true;
}
