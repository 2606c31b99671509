#include "ColourPalette.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kColumns = 8;
constexpr int kSwatch = 18;
constexpr int kGap = 3;

} // namespace

ColourPalette::ColourPalette(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("colourPalette3001"));
    setMouseTracking(true);
}

const QList<QColor>& ColourPalette::colours() {
    // The forty colours of the usual office palette, dark to light by row.
    static const QRgb rgbs[] = {
        0x000000, 0x993300, 0x333300, 0x003300, 0x003366, 0x000080, 0x333399, 0x333333,
        0x800000, 0xFF6600, 0x808000, 0x008000, 0x008080, 0x0000FF, 0x666699, 0x808080,
        0xFF0000, 0xFF9900, 0x99CC00, 0x339966, 0x33CCCC, 0x3366FF, 0x800080, 0x999999,
        0xFF00FF, 0xFFCC00, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x00CCFF, 0x993366, 0xC0C0C0,
        0xFF99CC, 0xFFCC99, 0xFFFF99, 0xCCFFCC, 0xCCFFFF, 0x99CCFF, 0xCC99FF, 0xFFFFFF,
    };
    static const QList<QColor> all = [] {
        QList<QColor> list;
        for (QRgb rgb : rgbs)
            list << QColor(rgb);
        return list;
    }();
    return all;
}

QRect ColourPalette::swatchRect(int index) const {
    const int row = index / kColumns;
    const int column = index % kColumns;
    return QRect(kGap + column * (kSwatch + kGap), kGap + row * (kSwatch + kGap), kSwatch, kSwatch);
}

QSize ColourPalette::sizeHint() const {
    const int rows = (colours().size() + kColumns - 1) / kColumns;
    return QSize(kGap + kColumns * (kSwatch + kGap), kGap + rows * (kSwatch + kGap));
}

int ColourPalette::indexAt(const QPoint& pos) const {
    for (int i = 0; i < colours().size(); ++i) {
        if (swatchRect(i).contains(pos))
            return i;
    }
    return -1;
}

void ColourPalette::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int i = 0; i < colours().size(); ++i) {
        const QRect r = swatchRect(i);
        p.fillRect(r, colours()[i]);
        p.setPen(i == m_hover ? palette().highlight().color() : QColor(0x80, 0x80, 0x80));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void ColourPalette::mouseMoveEvent(QMouseEvent* event) {
    const int hover = indexAt(event->position().toPoint());
    if (hover != m_hover) {
        m_hover = hover;
        update();
    }
}

void ColourPalette::leaveEvent(QEvent*) {
    m_hover = -1;
    update();
}

void ColourPalette::mouseReleaseEvent(QMouseEvent* event) {
    const int index = indexAt(event->position().toPoint());
    if (index >= 0)
        Q_EMIT colourPicked(colours()[index]);
}
