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
