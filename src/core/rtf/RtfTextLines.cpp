#include "RtfTextLines.h"

#include <algorithm>

QString& RtfTextLines::block() {
    if (!m_inTable)
        return m_text;
    // Content always places itself first; a cell past the row's end would
    // be a fault of the caller, and the last cell is the safe place then.
    return m_cells[m_row][std::min(m_column, m_columns - 1)];
}

void RtfTextLines::appendText(QStringView text) {
    if (text.isEmpty())
        return;
    if (m_breakPending)
        startPendingBlock();
    block() += text;
}

void RtfTextLines::endParagraph() {
    if (m_breakPending)
        startPendingBlock();
    m_breakPending = true;
}

void RtfTextLines::insertObject() {
    if (m_breakPending)
        startPendingBlock();
}

void RtfTextLines::startPendingBlock() {
    block() += u'\n';
    m_breakPending = false;
}

void RtfTextLines::placeInTable(bool inTable, int definedCells) {
    if (!inTable) {
        if (m_inTable)
            leaveTable();
        return;
    }
    if (!m_inTable) {
        // The table's frame ends the paragraph before it, even an empty one,
        // and a pending break adds no paragraph of its own.
        m_breakPending = false;
        m_text += u'\n';
        m_inTable = true;
        m_columns = std::clamp(definedCells, 1, kMaxColumns);
        m_cells = {QStringList(m_columns)};
        m_row = 0;
        m_column = 0;
        m_rowEnded = false;
        enterCell();
    } else if (m_rowEnded) {
        m_cells.append(QStringList(m_columns));
        m_row = int(m_cells.size()) - 1;
        m_column = 0;
        m_rowEnded = false;
        enterCell();
    } else if (!m_cellOpen) {
        m_column = std::min(m_column, kMaxColumns - 1);
        if (m_column >= m_columns) {
            // A longer row widens the whole table: the rows before get
            // empty cells, as the editor's table does.
            m_columns = m_column + 1;
            for (QStringList& row : m_cells)
                row.resize(m_columns);
        }
        enterCell();
    }
}

void RtfTextLines::enterCell() {
    m_cellOpen = true;
    m_breakPending = false;
}

void RtfTextLines::endCell() {
    if (m_breakPending)
        startPendingBlock();
    m_cellOpen = false;
    ++m_column;
}

void RtfTextLines::endRow() {
    m_breakPending = false;
    m_cellOpen = false;
    m_rowEnded = true;
}

void RtfTextLines::leaveTable() {
    for (const QStringList& row : std::as_const(m_cells)) {
        for (const QString& cell : row) {
            m_text += cell;
            m_text += u'\n';
        }
    }
    // The text after the table starts the block that follows its frame.
    m_inTable = false;
    m_cells.clear();
    m_cellOpen = false;
    m_breakPending = false;
}

QString RtfTextLines::finish() {
    if (m_inTable)
        leaveTable();
    return std::move(m_text);
}
