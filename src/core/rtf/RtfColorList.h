#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>

// The colour table a document is written with; entry 0 is the automatic
// colour, as WordPad writes it.
class RtfColorList {
public:
    // 0 for an invalid colour, else the entry's number, added on first use.
    int index(const QColor& color);

    // Empty when no colour is used.
    QByteArray table() const;

private:
    QList<QRgb> m_colors;
};
