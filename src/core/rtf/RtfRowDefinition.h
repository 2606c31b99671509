#pragma once

#include <QList>

#include <algorithm>

// The row definition of a table row (\trowd … \cellx): where its cells end.
// It outlives groups, since Word restates it in a group just before \row.
class RtfRowDefinition {
public:
    void reset() {
        m_left = 0;
        m_boundaries.clear();
    }
    void setLeft(int twips) { m_left = twips; }
    void addBoundary(int twips) {
        if (m_boundaries.size() < kMaxCells)
            m_boundaries.append(twips);
    }
    int cells() const { return int(m_boundaries.size()); }

    // Each cell's width in twips, 22 inches at most.
    QList<int> widths() const {
        QList<int> widths;
        int from = m_left;
        for (int to : m_boundaries) {
            widths.append(std::min(to - from, kMaxTwips));
            from = to;
        }
        return widths;
    }

private:
    static constexpr int kMaxCells = 1000;
    static constexpr int kMaxTwips = 31680;

    int m_left = 0;
    QList<int> m_boundaries;
};
