#include "RtfDocumentBuilder.h"

#include <QTextBlock>
#include <QTextList>
#include <QTextTable>

#include <algorithm>

namespace {

qreal pixels(int twips) {
    return twips / 15.0; // 1440 twips to the inch, 96 pixels to the inch
}

bool isRomanNumeral(QStringView text) {
    bool hasUnit = false; // i, v or x: without one, "c." or "d." is a letter
    for (QChar c : text) {
        const char16_t lower = c.toLower().unicode();
        if (!QStringView(u"ivxlcdm").contains(QChar(lower)))
            return false;
        hasUnit = hasUnit || lower == u'i' || lower == u'v' || lower == u'x';
    }
    return hasUnit;
}

// Han, kana, Hangul, CJK punctuation and full-width forms; a surrogate is
// taken for one of the CJK extensions.
bool isAsianCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) ||
           (u >= 0xD800 && u <= 0xDFFF) || (u >= 0xF900 && u <= 0xFAFF) ||
           (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFFEF);
}

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextCursor cursor, const RtfDocumentTables& tables)
    : m_cursor(cursor), m_tables(tables), m_firstBlockShared(cursor.block().length() > 1),
      m_blockFormat(cursor.blockFormat()), m_markFormat(cursor.blockCharFormat()) {}

void RtfDocumentBuilder::appendText(QStringView text, const RtfCharProps& props) {
    if (!props.hasAsianFormat()) {
        appendRun(text, props);
        return;
    }
    const RtfCharProps asian = props.forAsianText();
    for (qsizetype from = 0; from < text.size();) {
        const bool isAsian = isAsianCharacter(text.at(from));
        qsizetype to = from + 1;
        while (to < text.size() && isAsianCharacter(text.at(to)) == isAsian)
            ++to;
        appendRun(text.sliced(from, to - from), isAsian ? asian : props);
        from = to;
    }
}

void RtfDocumentBuilder::appendRun(QStringView text, const RtfCharProps& props) {
    if (text.isEmpty())
        return;
    if (m_breakPending)
        startPendingBlock();
    if (!m_run.isEmpty() && !(props == m_runProps))
        flushRun();
    if (m_run.isEmpty())
        m_runProps = props;
    m_run += text;
}

void RtfDocumentBuilder::endParagraph(const RtfParaProps& para, const RtfCharProps& mark,
                                      QStringView marker) {
    if (m_breakPending)
        startPendingBlock();
    flushRun();
    applyParagraph(para, mark, marker);
    m_breakPending = true;
}

void RtfDocumentBuilder::finish(const RtfParaProps& para, const RtfCharProps& mark,
                                QStringView marker) {
    flushRun();
    // After a cell's end its paragraph has its format; applying it again
    // would take the paragraph out of the list it was just put in.
    if (!m_breakPending && (!m_table || m_cellOpen))
        applyParagraph(para, mark, marker);
}

void RtfDocumentBuilder::insertObject(const QTextCharFormat& format) {
    if (m_breakPending)
        startPendingBlock();
    flushRun();
    m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

void RtfDocumentBuilder::placeInTable(bool inTable, int definedCells) {
    if (!inTable) {
        if (m_table)
            leaveTable();
        return;
    }
    if (!m_table) {
        flushRun();
        // The table's frame ends the paragraph before it, so a pending break
        // would only add an empty paragraph.
        m_breakPending = false;
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderCollapse(true);
        format.setCellPadding(3);
        format.setCellSpacing(0);
        m_table = m_cursor.insertTable(1, std::clamp(definedCells, 1, kMaxColumns), format);
        m_row = 0;
        m_column = 0;
        m_rowEnded = false;
        enterCell();
    } else if (m_rowEnded) {
        m_table->appendRows(1);
        m_row = m_table->rows() - 1;
        m_column = 0;
        m_rowEnded = false;
        enterCell();
    } else if (!m_cellOpen) {
        m_column = std::min(m_column, kMaxColumns - 1);
        if (m_column >= m_table->columns())
            m_table->appendColumns(m_column + 1 - m_table->columns());
        enterCell();
    }
}

int RtfDocumentBuilder::tableColumns() const {
    return m_table ? m_table->columns() : 0;
}

void RtfDocumentBuilder::endCell(const RtfParaProps& para, const RtfCharProps& mark,
                                 QStringView marker) {
    if (m_breakPending)
        startPendingBlock();
    flushRun();
    applyParagraph(para, mark, marker);
    m_cellOpen = false;
    ++m_column;
}

void RtfDocumentBuilder::endRow(const QList<int>& widths) {
    flushRun();
    m_breakPending = false;
    m_cellOpen = false;
    m_rowEnded = true;
    if (widths.size() != m_table->columns() ||
        std::any_of(widths.begin(), widths.end(), [](int w) { return w <= 0; }))
        return;
    QList<QTextLength> constraints;
    for (int twips : widths)
        constraints.append(QTextLength(QTextLength::FixedLength, pixels(twips)));
    QTextTableFormat format = m_table->format();
    if (format.columnWidthConstraints() != constraints) {
        format.setColumnWidthConstraints(constraints);
        m_table->setFormat(format);
    }
}

void RtfDocumentBuilder::enterCell() {
    m_cursor = m_table->cellAt(m_row, m_column).lastCursorPosition();
    m_cellOpen = true;
    m_breakPending = false;
    m_firstBlock = false;
    resetBlockCaches();
}

void RtfDocumentBuilder::leaveTable() {
    flushRun();
    m_cursor = m_table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_table = nullptr;
    m_cellOpen = false;
    m_breakPending = false;
    resetBlockCaches();
}

void RtfDocumentBuilder::resetBlockCaches() {
    // The cursor moved to a block this builder did not format.
    m_blockFormat = m_cursor.blockFormat();
    m_markFormat = m_cursor.blockCharFormat();
    m_lists.fill(nullptr);
}

void RtfDocumentBuilder::flushRun() {
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, charFormat(m_runProps));
    m_run.clear();
}

void RtfDocumentBuilder::startPendingBlock() {
    flushRun();
    // Explicit formats: the new block must not inherit the list of the last one.
    m_cursor.insertBlock(m_lastBlockFormat, m_lastMarkFormat);
    m_blockFormat = m_lastBlockFormat;
    m_markFormat = m_lastMarkFormat;
    m_breakPending = false;
    m_firstBlock = false;
}

void RtfDocumentBuilder::applyParagraph(const RtfParaProps& para, const RtfCharProps& mark,
                                        QStringView marker) {
    if (m_firstBlock && m_firstBlockShared)
        return;
    QTextBlockFormat format;
    switch (para.align) {
    case RtfParaProps::Align::Left:
        format.setAlignment(Qt::AlignLeft);
        break;
    case RtfParaProps::Align::Center:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case RtfParaProps::Align::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case RtfParaProps::Align::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    const bool inList = para.listStyle != QTextListFormat::ListStyleUndefined || !marker.isEmpty();
    // A list draws its own indent and marker; RTF's hanging indent for the
    // marker would indent the item twice.
    if (!inList) {
        if (para.leftIndent)
            format.setLeftMargin(pixels(para.leftIndent));
        if (para.firstIndent)
            format.setTextIndent(pixels(para.firstIndent));
    }
    if (para.rightIndent)
        format.setRightMargin(pixels(para.rightIndent));
    if (para.spaceBefore)
        format.setTopMargin(pixels(para.spaceBefore));
    if (para.spaceAfter)
        format.setBottomMargin(pixels(para.spaceAfter));
    if (para.lineSpacing > 0 && para.lineMultiple)
        format.setLineHeight(para.lineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (para.lineSpacing > 0)
        format.setLineHeight(pixels(para.lineSpacing), QTextBlockFormat::MinimumHeight);
    else if (para.lineSpacing < 0)
        format.setLineHeight(pixels(-para.lineSpacing), QTextBlockFormat::FixedHeight);
    if (format != m_blockFormat)
        m_cursor.setBlockFormat(format);
    // The paragraph mark's format sizes an empty line and draws the marker.
    const QTextCharFormat& markFormat = charFormat(mark);
    if (markFormat != m_markFormat)
        m_cursor.setBlockCharFormat(markFormat);
    m_lastBlockFormat = format;
    m_lastMarkFormat = markFormat;

    if (inList)
        applyList(para, marker);
    else
        m_lists.fill(nullptr);
}

void RtfDocumentBuilder::applyList(const RtfParaProps& para, QStringView marker) {
    QTextListFormat::Style style = para.listStyle;
    if (!para.listStyleExplicit) {
        if (!marker.isEmpty())
            style = styleForMarker(marker);
        else if (style == QTextListFormat::ListStyleUndefined)
            style = QTextListFormat::ListDisc;
    }
    const int level = std::clamp(
        para.listLevel >= 0 ? para.listLevel : (para.leftIndent - 360) / 720, 0, kListLevels - 1);
    QTextList*& list = m_lists[level];
    const bool bullet = style == QTextListFormat::ListDisc ||
                        style == QTextListFormat::ListCircle ||
                        style == QTextListFormat::ListSquare;
    if (list && list->format().style() == style &&
        list->count() < (bullet ? kMaxBulletItems : kMaxNumberedItems)) {
        list->add(m_cursor.block());
    } else {
        QTextListFormat format;
        format.setStyle(style);
        format.setIndent(level + 1);
        list = m_cursor.createList(format);
    }
    std::fill(m_lists.begin() + level + 1, m_lists.end(), nullptr);
}

QTextListFormat::Style RtfDocumentBuilder::styleForMarker(QStringView marker) {
    const QStringView m = marker.trimmed();
    if (m.isEmpty())
        return QTextListFormat::ListDisc;
    QString core = m.toString();
    core.remove(QLatin1Char('(')).remove(QLatin1Char(')')).remove(QLatin1Char('.'));
    const bool numbered = core.size() < m.size();
    if (!core.isEmpty() &&
        std::all_of(core.begin(), core.end(), [](QChar c) { return c.isDigit(); }))
        return QTextListFormat::ListDecimal;
    if (numbered && !core.isEmpty()) {
        if (isRomanNumeral(core))
            return core.at(0).isUpper() ? QTextListFormat::ListUpperRoman
                                        : QTextListFormat::ListLowerRoman;
        if (core.size() == 1 && core.at(0).isLetter())
            return core.at(0).isUpper() ? QTextListFormat::ListUpperAlpha
                                        : QTextListFormat::ListLowerAlpha;
        return QTextListFormat::ListDecimal;
    }
    switch (m.at(0).unicode()) {
    case u'o':
    case 0x25CB: // ○
    case 0x25E6: // ◦
        return QTextListFormat::ListCircle;
    case 0x00A7: // § is the square bullet of Wingdings
    case 0x25A0: // ■
    case 0x25AA: // ▪
        return QTextListFormat::ListSquare;
    default:
        return QTextListFormat::ListDisc;
    }
}

const QTextCharFormat& RtfDocumentBuilder::charFormat(const RtfCharProps& props) {
    if (m_formatValid && props == m_formatProps)
        return m_format;
    QTextCharFormat f;
    const auto font = m_tables.fonts.constFind(props.font < 0 ? m_tables.defaultFont : props.font);
    if (font != m_tables.fonts.constEnd() && !font->name.isEmpty())
        f.setFontFamilies({font->name});
    f.setFontPointSize(props.halfPoints / 2.0);
    if (props.bold)
        f.setFontWeight(QFont::Bold);
    if (props.italic)
        f.setFontItalic(true);
    if (props.underline)
        f.setFontUnderline(true);
    if (props.strike)
        f.setFontStrikeOut(true);
    const auto color = [this](int index) {
        return index >= 0 && index < m_tables.colors.size() ? m_tables.colors.at(index) : QColor();
    };
    if (const QColor c = color(props.foreground); c.isValid())
        f.setForeground(c);
    if (const QColor c = color(props.background); c.isValid())
        f.setBackground(c);
    if (props.vertical > 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (props.vertical < 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (props.link >= 0 && props.link < m_tables.links.size()) {
        f.setAnchor(true);
        f.setAnchorHref(m_tables.links.at(props.link));
    }
    m_format = f;
    m_formatProps = props;
    m_formatValid = true;
    return m_format;
}
