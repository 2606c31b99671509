#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Lays the text of an RTF document out in lines the way RtfDocumentBuilder
// lays it out in the blocks of a QTextDocument, without the document: one
// line per paragraph and one per table cell, in the order the document's
// blocks come in, so that a line's number is its block's number plus one.
// The calls and their order are the builder's, and so are the decisions on
// when a paragraph break turns into a block.
class RtfTextLines {
public:
    void appendText(QStringView text);
    void endParagraph();
    // A picture or a kept group: no text, but it starts a pending paragraph.
    void insertObject();
    void placeInTable(bool inTable, int definedCells);
    bool inTable() const { return m_inTable; }
    int tableColumns() const { return m_inTable ? m_columns : 0; }
    void endCell();
    void endRow();

    // The lines, joined by '\n'. A table still open ends here.
    QString finish();

private:
    QString& block(); // the text the cursor is in
    void startPendingBlock();
    void enterCell();
    void leaveTable();

    // Word's limit, as the builder keeps it.
    static constexpr int kMaxColumns = 63;

    QString m_text;
    bool m_breakPending = false;
    // The open table: each cell's text, its blocks joined by '\n'.
    bool m_inTable = false;
    QList<QStringList> m_cells;
    int m_columns = 0;
    int m_row = 0;
    int m_column = 0;
    bool m_rowEnded = false;
    bool m_cellOpen = false;
};
