#pragma once

#include "RtfKeyword.h"

#include <QColor>

#include <algorithm>

// The colour table entry being read: \red, \green and \blue up to its ';'.
class RtfColorReader {
public:
    // False for words that are not colour components.
    bool apply(RtfKeyword keyword, int param) {
        const int value = std::clamp(param, 0, 255);
        switch (keyword) {
        case RtfKeyword::Red:
            m_red = value;
            return true;
        case RtfKeyword::Green:
            m_green = value;
            return true;
        case RtfKeyword::Blue:
            m_blue = value;
            return true;
        default:
            return false;
        }
    }

    // The entry, and a fresh one begins. An entry with no component is the
    // automatic colour, an invalid QColor.
    QColor take() {
        QColor color;
        if (m_red >= 0 || m_green >= 0 || m_blue >= 0)
            color = QColor(std::max(0, m_red), std::max(0, m_green), std::max(0, m_blue));
        m_red = m_green = m_blue = -1;
        return color;
    }

private:
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
};
