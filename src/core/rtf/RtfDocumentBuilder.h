#pragma once

#include "RtfCharProps.h"
#include "RtfDocumentTables.h"
#include "RtfParaProps.h"

#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <array>

class QTextList;
class QTextTable;

// Puts what the parser reads into a QTextDocument through a cursor. Text is
// gathered into runs of one format and inserted a run at a time; a paragraph
// gets its format when it ends, since RTF may state paragraph properties
// anywhere before the \par.
class RtfDocumentBuilder {
public:
    RtfDocumentBuilder(QTextCursor cursor, const RtfDocumentTables& tables);

    void appendText(QStringView text, const RtfCharProps& props);
    void endParagraph(const RtfParaProps& para, const RtfCharProps& mark, QStringView marker);
    // The end of input: a last paragraph without \par keeps its text, while
    // the \par that ends most files adds no empty paragraph.
    void finish(const RtfParaProps& para, const RtfCharProps& mark, QStringView marker);
    // Fonts or colours changed: formats made so far may no longer hold.
    void tablesChanged() { m_formatValid = false; }

    // A picture or a kept group: one object character.
    void insertObject(const QTextCharFormat& format);

    // Before any content: a paragraph of a table goes into the current cell,
    // opening the table, its next row or its next cell as needed; any other
    // paragraph goes after the table. A new table gets one column per cell
    // of the row definition and grows when a row has more cells.
    void placeInTable(bool inTable, int definedCells);
    bool inTable() const { return m_table != nullptr; }
    int tableColumns() const;
    void endCell(const RtfParaProps& para, const RtfCharProps& mark, QStringView marker);
    // Column widths in twips, applied when the row has one for each column.
    void endRow(const QList<int>& widths);

    const QTextCursor& cursor() const { return m_cursor; }

    static QTextListFormat::Style styleForMarker(QStringView marker);

private:
    void appendRun(QStringView text, const RtfCharProps& props);
    void flushRun();
    void startPendingBlock();
    void applyParagraph(const RtfParaProps& para, const RtfCharProps& mark, QStringView marker);
    void applyList(const RtfParaProps& para, QStringView marker);
    const QTextCharFormat& charFormat(const RtfCharProps& props);
    void enterCell();
    void leaveTable();
    void resetBlockCaches();

    static constexpr int kListLevels = 9;
    // Qt renumbers every item of a list whenever one is added, so a list of n
    // items costs n² steps to build. Longer bulleted lists become several
    // lists that look the same; numbering restarts only past thousands.
    static constexpr int kMaxBulletItems = 256;
    static constexpr int kMaxNumberedItems = 2000;
    // Word's own limit; more cells of a row share the last column.
    static constexpr int kMaxColumns = 63;

    QTextCursor m_cursor;
    const RtfDocumentTables& m_tables;
    QString m_run;
    RtfCharProps m_runProps;
    bool m_breakPending = false;
    // Text pasted into the middle of a paragraph keeps that paragraph's format.
    bool m_firstBlockShared = false;
    bool m_firstBlock = true;
    RtfCharProps m_formatProps;
    QTextCharFormat m_format;
    bool m_formatValid = false;
    // The formats the current block has and the last block got: a block starts
    // with its predecessor's, which usually saves setting them again.
    QTextBlockFormat m_blockFormat;
    QTextCharFormat m_markFormat;
    QTextBlockFormat m_lastBlockFormat;
    QTextCharFormat m_lastMarkFormat;
    std::array<QTextList*, kListLevels> m_lists{};
    QTextTable* m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
    bool m_rowEnded = false;
    bool m_cellOpen = false;
};
