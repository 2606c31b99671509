#include "RtfWriter.h"

#include "Cp1252.h"
#include "RtfKeptGroup.h"
#include "RtfListMarkup.h"
#include "RtfPicture.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace {

int twips(qreal pixels) {
    return std::clamp(int(std::lround(pixels * 15)), -31680, 31680);
}

int halfPointsOf(qreal points) {
    return std::clamp(int(std::lround(points * 2)), 2, 3276);
}

// A link target as the field instruction can hold it: a '"' would end it and
// control characters are not written. Targets that come out alike are one
// link, or what is read back would be written as fewer links next time.
// Blocks of a cell in order; a frame inside a cell (a table pasted into
// it) gives its blocks, as text of the cell.
void collectBlocks(const QTextFrame::iterator& begin, QList<QTextBlock>& blocks) {
    for (auto it = begin; !it.atEnd(); ++it) {
        if (const QTextFrame* frame = it.currentFrame())
            collectBlocks(frame->begin(), blocks);
        else
            blocks.append(it.currentBlock());
    }
}

QString linkTarget(QString href) {
    href.replace(u'"', QStringLiteral("%22"));
    href.removeIf([](QChar c) { return c.unicode() < 0x20; });
    return href;
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument* document) {
    if (!document)
        return {};
    return RtfWriter(document).run();
}

RtfWriter::RtfWriter(const QTextDocument* document) : m_document(document) {
    const QFont font = document->defaultFont();
    m_defaultFamily = font.family();
    if (font.pointSizeF() > 0)
        m_defaultHalfPoints = halfPointsOf(font.pointSizeF());
    // Font 0 is the first font of the text, as word processors write it.
    const QTextBlock first = document->begin();
    QString family = familyOf(first.charFormat());
    if (const auto it = first.begin(); !it.atEnd())
        family = familyOf(it.fragment().charFormat());
    m_fonts.index(family, RtfFontList::charsetFor(family));
}

QByteArray RtfWriter::run() {
    writeFrame(m_document->rootFrame());

    QByteArray head = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052";
    head += m_fonts.table(m_encoder);
    head += '\n';
    if (const QByteArray colors = m_colors.table(); !colors.isEmpty())
        head += colors + '\n';
    head += "{\\*\\generator Keepsake;}";
    const QByteArrayList documentGroups =
        m_document->property(RtfKeptGroup::kDocumentGroupsProperty).value<QByteArrayList>();
    for (const QByteArray& group : documentGroups)
        head += group + '\n';
    head += "\\viewkind4\\uc1";
    return head + m_out + "}\n";
}

void RtfWriter::writeFrame(const QTextFrame* frame) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame()))
            writeTable(table);
        else if (const QTextFrame* child = it.currentFrame())
            writeFrame(child);
        else
            writeBlock(it.currentBlock());
    }
}

void RtfWriter::writeTable(const QTextTable* table) {
    for (int row = 0; row < table->rows(); ++row) {
        writeRowDefinition(table);
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            QList<QTextBlock> blocks;
            // A cell spanning several places is written once, at its first.
            if (cell.row() == row && cell.column() == column)
                collectBlocks(cell.begin(), blocks);
            if (blocks.isEmpty()) {
                if (m_firstParagraph || !m_para.inTable) {
                    word("pard");
                    word("intbl");
                    m_para = ParaState();
                    m_para.inTable = true;
                    m_firstParagraph = false;
                }
                word("cell");
                continue;
            }
            for (qsizetype i = 0; i < blocks.size(); ++i)
                writeBlock(blocks.at(i), i + 1 < blocks.size() ? "par" : "cell", true);
        }
        word("row");
        raw("\n");
    }
}

void RtfWriter::writeRowDefinition(const QTextTable* table) {
    const QTextTableFormat format = table->format();
    const QList<QTextLength> widths = format.columnWidthConstraints();
    const int columns = table->columns();
    // A column without a width of its own shares a 6-inch line with the others.
    const int shared = 8640 / std::max(1, columns);
    word("trowd");
    word("trgaph", 108);
    int right = 0;
    for (int column = 0; column < columns; ++column) {
        const QTextLength width = column < widths.size() ? widths.at(column) : QTextLength();
        right += width.type() == QTextLength::FixedLength ? std::max(1, twips(width.rawValue()))
                                                          : shared;
        if (format.border() > 0) {
            for (const char* side : {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr"}) {
                word(side);
                word("brdrs");
                word("brdrw", 10);
            }
        }
        word("cellx", right);
    }
    raw("\n");
}

void RtfWriter::writeBlock(const QTextBlock& block, const char* terminator, bool inTable) {
    const ParaState para = paraState(block, inTable);
    const bool changed = m_firstParagraph || !(para == m_para);
    m_firstParagraph = false;
    if (changed)
        word("pard");
    // WordPad's order: the marker, then the list definition and indents.
    if (para.listStyle)
        raw(RtfListMarkup::marker(para.listStyle, block.textList()->itemText(block), m_fonts));
    if (changed)
        writeParagraphFormat(para);

    QString family;
    if (block.length() <= 1) {
        // An empty paragraph is as tall as its mark's font.
        switchTo(charState(block.charFormat(), &family));
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat() || RtfKeptGroup::isKeptGroup(format)) {
            closeLink();
            writeObjects(fragment);
            continue;
        }
        const QString href = format.isAnchor() ? linkTarget(format.anchorHref()) : QString();
        if (href != m_link) {
            closeLink();
            if (!href.isEmpty())
                openLink(href);
        }
        switchTo(charState(format, &family));
        writeText(fragment.text(), family);
    }
    closeLink();
    word(terminator);
    raw("\n");
}

void RtfWriter::writeObjects(const QTextFragment& fragment) {
    const QTextCharFormat format = fragment.charFormat();
    const QByteArray group = format.isImageFormat()
                                 ? RtfPicture::group(m_document, format.toImageFormat())
                                 : RtfKeptGroup::bytesOf(format);
    // Equal objects side by side share one fragment.
    for (QChar c : fragment.text()) {
        if (c == QChar::ObjectReplacementCharacter)
            raw(group);
    }
}

RtfWriter::ParaState RtfWriter::paraState(const QTextBlock& block, bool inTable) const {
    const QTextBlockFormat format = block.blockFormat();
    ParaState p;
    p.inTable = inTable;
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        p.align = 1;
    else if (align & Qt::AlignRight)
        p.align = 2;
    else if (align & Qt::AlignJustify)
        p.align = 3;
    if (const QTextList* list = block.textList()) {
        p.listStyle = list->format().style();
        // The reader takes the nesting back from the indent.
        const int level = std::max(1, list->format().indent());
        p.left = 720 * level;
        p.first = -360;
    } else {
        p.left = twips(format.leftMargin() + format.indent() * m_document->indentWidth());
        p.first = twips(format.textIndent());
    }
    p.right = twips(format.rightMargin());
    p.before = std::max(0, twips(format.topMargin()));
    p.after = std::max(0, twips(format.bottomMargin()));
    const qreal height = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (height > 0 && height != 100) {
            p.lineSpacing = std::clamp(int(std::lround(height * 2.4)), 1, 31680);
            p.lineMultiple = true;
        }
        break;
    case QTextBlockFormat::FixedHeight:
        if (height > 0)
            p.lineSpacing = -twips(height);
        break;
    case QTextBlockFormat::MinimumHeight:
        if (height > 0)
            p.lineSpacing = twips(height);
        break;
    default:
        break;
    }
    return p;
}

void RtfWriter::writeParagraphFormat(const ParaState& para) {
    if (para.inTable)
        word("intbl");
    if (para.listStyle)
        raw(RtfListMarkup::definition(para.listStyle, m_fonts));
    if (para.first)
        word("fi", para.first);
    if (para.left)
        word("li", para.left);
    if (para.right)
        word("ri", para.right);
    if (para.before)
        word("sb", para.before);
    if (para.after)
        word("sa", para.after);
    if (para.lineSpacing) {
        word("sl", para.lineSpacing);
        word("slmult", para.lineMultiple ? 1 : 0);
    }
    static const char* const kAlign[] = {nullptr, "qc", "qr", "qj"};
    if (para.align)
        word(kAlign[para.align]);
    m_para = para;
}

QString RtfWriter::familyOf(const QTextCharFormat& format) const {
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    const QString family = format.property(QTextFormat::OldFontFamily).toString();
    return family.isEmpty() ? m_defaultFamily : family;
}

RtfWriter::CharState RtfWriter::charState(const QTextCharFormat& format, QString* family) {
    CharState s;
    *family = familyOf(format);
    s.font = m_fonts.index(*family, RtfFontList::charsetFor(*family));
    if (format.fontPointSize() > 0)
        s.halfPoints = halfPointsOf(format.fontPointSize());
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        s.halfPoints = halfPointsOf(format.intProperty(QTextFormat::FontPixelSize) * 0.75);
    else
        s.halfPoints = m_defaultHalfPoints;
    s.bold = format.fontWeight() >= QFont::DemiBold;
    s.italic = format.fontItalic();
    s.underline = format.fontUnderline();
    s.strike = format.fontStrikeOut();
    if (format.foreground().style() != Qt::NoBrush)
        s.foreground = m_colors.index(format.foreground().color());
    if (format.background().style() != Qt::NoBrush)
        s.background = m_colors.index(format.background().color());
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        s.vertical = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        s.vertical = -1;
    return s;
}

void RtfWriter::switchTo(CharState t) {
    CharState& c = m_char;
    // Entries of one family differ only in charset, which writeUnicode picks
    // for each character that needs one. Switching entries here as well would
    // make the file depend on where the text is cut into fragments, and
    // reading it back joins fragments whose formats were written alike.
    if (m_fonts.familyAt(t.font) == m_fonts.familyAt(c.font))
        t.font = c.font;
    if (t.font != c.font)
        word("f", t.font);
    if (t.halfPoints != c.halfPoints)
        word("fs", t.halfPoints);
    if (t.bold != c.bold)
        word(t.bold ? "b" : "b0");
    if (t.italic != c.italic)
        word(t.italic ? "i" : "i0");
    if (t.underline != c.underline)
        word(t.underline ? "ul" : "ulnone");
    if (t.strike != c.strike)
        word(t.strike ? "strike" : "strike0");
    if (t.foreground != c.foreground)
        word("cf", t.foreground);
    // \highlight is the background both WordPad and Word read.
    if (t.background != c.background)
        word("highlight", t.background);
    if (t.vertical != c.vertical)
        word(t.vertical > 0 ? "super" : t.vertical < 0 ? "sub" : "nosupersub");
    c = t;
}

void RtfWriter::writeText(QStringView text, const QString& family) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            m_out += '\\';
            m_out += char(c);
            m_delimit = false;
            continue;
        case '\t':
            word("tab");
            continue;
        case 0x2028:
            word("line");
            continue;
        case 0x00A0:
            raw("\\~");
            continue;
        case 0x00AD:
            raw("\\-");
            continue;
        case 0x2011:
            raw("\\_");
            continue;
        case 0xFFFC: // an object's place holder
        case 0x2029:
            continue;
        default:
            break;
        }
        if (c < 0x20)
            continue;
        if (c < 0x80) {
            if (m_delimit)
                m_out += ' ';
            m_out += char(c);
            m_delimit = false;
        } else {
            writeUnicode(c, family);
        }
    }
}

void RtfWriter::writeUnicode(char32_t c, const QString& family) {
    int charset = RtfFontList::charsetFor(family);
    QByteArray fallback;
    if (charset == RtfCharsetEncoder::kChinese) {
        fallback = m_encoder.bytes(c, charset);
    } else if (const uchar b = Cp1252::fromUnicode(c)) {
        fallback = QByteArray(1, char(b));
    } else if (fallback = m_encoder.bytes(c, RtfCharsetEncoder::kChinese); !fallback.isEmpty()) {
        charset = RtfCharsetEncoder::kChinese; // the family's Chinese-charset entry
    } else {
        charset = m_fonts.charsetOf(m_char.font);
    }
    const int font = m_fonts.index(family, charset);
    if (font != m_char.font) {
        word("f", font);
        m_char.font = font;
    }
    const QString units = QString::fromUcs4(&c, 1);
    const int skip = fallback.isEmpty() ? 1 : int(fallback.size());
    if (skip != m_unicodeSkip) {
        word("uc", skip);
        m_unicodeSkip = skip;
    }
    for (QChar unit : units) {
        word("u", qint16(unit.unicode()));
        if (fallback.isEmpty()) {
            m_out += '?';
            m_delimit = false;
        } else {
            for (char b : fallback)
                hexByte(uchar(b));
        }
    }
}

void RtfWriter::openLink(const QString& target) {
    m_charBeforeLink = m_char;
    m_unicodeSkipBeforeLink = m_unicodeSkip;
    raw(m_unicodeSkip == 1 ? "{\\field{\\*\\fldinst{HYPERLINK \""
                           : "{\\field{\\*\\fldinst{\\uc1 HYPERLINK \"");
    // Readers decode the instruction's bytes by the font in force, as they
    // do the text's, so the bytes must be that font's.
    m_encoder.appendEscaped(m_out, target, m_fonts.charsetOf(m_char.font));
    raw("\"}}{\\fldrslt{");
    m_link = target;
}

void RtfWriter::closeLink() {
    if (m_link.isEmpty())
        return;
    raw("}}}");
    // The groups took their formatting with them.
    m_char = m_charBeforeLink;
    m_unicodeSkip = m_unicodeSkipBeforeLink;
    m_link.clear();
}

void RtfWriter::word(const char* name) {
    m_out += '\\';
    m_out += name;
    m_delimit = true;
}

void RtfWriter::word(const char* name, int param) {
    word(name);
    m_out += QByteArray::number(param);
}

void RtfWriter::raw(const QByteArray& bytes) {
    m_out += bytes;
    m_delimit = false;
}

void RtfWriter::hexByte(uchar byte) {
    static const char kHex[] = "0123456789abcdef";
    m_out += "\\'";
    m_out += kHex[byte >> 4];
    m_out += kHex[byte & 15];
    m_delimit = false;
}
