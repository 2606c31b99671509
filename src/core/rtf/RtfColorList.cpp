#include "RtfColorList.h"

int RtfColorList::index(const QColor& color) {
    if (!color.isValid())
        return 0;
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    const qsizetype found = m_colors.indexOf(rgb);
    if (found >= 0)
        return int(found) + 1;
    m_colors.append(rgb);
    return int(m_colors.size());
}

QByteArray RtfColorList::table() const {
    if (m_colors.isEmpty())
        return {};
    QByteArray out = "{\\colortbl ;";
    for (const QRgb rgb : m_colors) {
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
               QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    }
    out += '}';
    return out;
}
