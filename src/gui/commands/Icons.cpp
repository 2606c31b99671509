#include "Icons.h"

#include "store/CategoryCode.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// A folder shape in the given colour; roots get a solid base, minors a lighter
// body, so the three levels differ in shape as well as colour.
QIcon folder(const QColor& colour, bool solidBase) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(150), 1.5));
    p.setBrush(colour.lighter(125));
    QPainterPath tab;
    tab.addRoundedRect(QRectF(3, 6, 12, 6), 2, 2);
    p.drawPath(tab);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(3, 9, 26, 18), 3, 3);
    if (solidBase) {
        p.setBrush(colour.darker(130));
        p.drawRect(QRectF(3, 22, 26, 5));
    }
    return QIcon(pixmap);
}

QIcon page(const QColor& colour) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(160), 1.5));
    p.setBrush(Qt::white);
    QPainterPath sheet;
    sheet.moveTo(7, 3);
    sheet.lineTo(20, 3);
    sheet.lineTo(26, 9);
    sheet.lineTo(26, 29);
    sheet.lineTo(7, 29);
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.setPen(QPen(colour, 2));
    for (int y = 13; y <= 25; y += 4)
        p.drawLine(QPointF(11, y), QPointF(22, y));
    return QIcon(pixmap);
}

// A small sign (plus or cross) in a disc, for adding and removing.
QIcon sign(const QColor& colour, bool plus) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(140), 1.5));
    p.setBrush(colour);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    if (plus) {
        p.drawLine(QPointF(16, 9), QPointF(16, 23));
        p.drawLine(QPointF(9, 16), QPointF(23, 16));
    } else {
        p.drawLine(QPointF(11, 11), QPointF(21, 21));
        p.drawLine(QPointF(21, 11), QPointF(11, 21));
    }
    return QIcon(pixmap);
}

} // namespace

namespace Icons {

QIcon root() {
    static const QIcon icon = folder(QColor(0x3b, 0x78, 0xc4), true);
    return icon;
}

QIcon major() {
    static const QIcon icon = folder(QColor(0xe0, 0xa8, 0x2e), false);
    return icon;
}

QIcon minor() {
    static const QIcon icon = folder(QColor(0x5a, 0xa8, 0x5a), false);
    return icon;
}

QIcon material() {
    static const QIcon icon = page(QColor(0x55, 0x66, 0x77));
    return icon;
}

QIcon openMaterial() {
    static const QIcon icon = [] {
        QPixmap pixmap = page(QColor(0x2f, 0x6f, 0xb8)).pixmap(32, 32);
        // A green dot in the corner, readable at 16 pixels.
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x1e, 0x6b, 0x2a), 1.5));
        p.setBrush(QColor(0x3c, 0xb3, 0x4a));
        p.drawEllipse(QRectF(17, 17, 13, 13));
        return QIcon(pixmap);
    }();
    return icon;
}

QIcon save() {
    static const QIcon icon = [] {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor body(0x3b, 0x5f, 0x9c);
        p.setPen(QPen(body.darker(150), 1.5));
        p.setBrush(body);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 5, 14, 9)); // the label
        p.setBrush(QColor(0xc8, 0xd2, 0xe0));
        p.drawRect(QRectF(10, 19, 12, 8)); // the shutter
        return QIcon(pixmap);
    }();
    return icon;
}

QIcon add() {
    static const QIcon icon = sign(QColor(0x3c, 0xa0, 0x4a), true);
    return icon;
}

QIcon remove() {
    static const QIcon icon = sign(QColor(0xc8, 0x3c, 0x3c), false);
    return icon;
}

QIcon forLevel(int level) {
    switch (CategoryCode::Level(level)) {
    case CategoryCode::Level::Root:
        return root();
    case CategoryCode::Level::Major:
        return major();
    case CategoryCode::Level::Minor:
        return minor();
    default:
        return {};
    }
}

QIcon forRecycleKind(const QString& kind) {
    if (kind == QLatin1String("知识库根项"))
        return root();
    if (kind == QLatin1String("知识库大项"))
        return major();
    if (kind == QLatin1String("知识库小项"))
        return minor();
    return material();
}

} // namespace Icons
