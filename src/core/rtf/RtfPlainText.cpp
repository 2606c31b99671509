#include "RtfPlainText.h"

#include "RtfDocumentTables.h"
#include "RtfFormatWords.h"
#include "RtfGroupState.h"
#include "RtfKeyword.h"
#include "RtfReader.h"
#include "RtfRowDefinition.h"
#include "RtfTextDecoder.h"
#include "RtfTextLines.h"
#include "RtfTokenizer.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

using K = RtfKeyword;
using Token = RtfTokenizer::Token;

// Characters that only steer how text is drawn; between the letters of a
// word they would keep a search from finding it.
bool isInvisible(QChar c) {
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t') || u == 0x00AD || (u >= 0x200C && u <= 0x200F) ||
           u == QChar::ObjectReplacementCharacter;
}

// Walks the tokens as RtfParser does, with the same groups, destinations
// and decisions on what is text, and hands the text to RtfTextLines where
// the parser hands it to the document builder. What only formats is not
// followed beyond what decides the text: the font (for the code page of
// its bytes), hidden text and whether a paragraph is in a table.
class Walker {
public:
    explicit Walker(QByteArrayView rtf) : m_tokens(rtf) {
        m_stack.reserve(kMaxDepth + 1);
        m_stack.emplace_back();
    }

    QString run();

private:
    static constexpr int kMaxDepth = 200; // RtfParser::kMaxDepth

    RtfGroupState& state() { return m_stack.back(); }
    bool inBody() { return state().destination == RtfDestination::Body; }

    void openGroup();
    void closeGroup();
    void controlWord(const Token& token);
    bool tableWord(K keyword, int param);
    void controlSymbol(char symbol);
    void textBytes(QByteArrayView bytes);
    void destinationBytes(QByteArrayView bytes);
    void flushBytes();
    void appendText(QStringView text);
    void appendChar(char16_t c) { appendText(QStringView(&c, 1)); }
    void endParagraph();
    void placeParagraph() { m_lines.placeInTable(state().paragraph.inTable, m_row.cells()); }
    bool openRaw(RtfDestination destination, bool firstWord);
    void commitFont();

    RtfTokenizer m_tokens;
    RtfDocumentTables m_tables;
    RtfTextDecoder m_decoder;
    RtfTextLines m_lines;
    RtfRowDefinition m_row;
    std::vector<RtfGroupState> m_stack;
    int m_overflowDepth = 0;
    int m_fallbackToSkip = 0;
    bool m_ignorableNext = false;
    bool m_groupFresh = false;
    bool m_done = false;
    QByteArray m_bytes;
    int m_bytesCodePage = 0;
    int m_fontNumber = -1;
    int m_fontCodePage = 0;
};

QString Walker::run() {
    while (!m_done) {
        const Token token = m_tokens.next();
        switch (token.type) {
        case RtfTokenizer::Type::End:
            m_done = true;
            break;
        case RtfTokenizer::Type::GroupStart:
            openGroup();
            break;
        case RtfTokenizer::Type::GroupEnd:
            closeGroup();
            break;
        case RtfTokenizer::Type::ControlWord:
            controlWord(token);
            break;
        case RtfTokenizer::Type::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case RtfTokenizer::Type::HexByte:
            if (m_fallbackToSkip > 0)
                --m_fallbackToSkip;
            else if (m_overflowDepth == 0 && state().destination != RtfDestination::Picture)
                destinationBytes(QByteArrayView(reinterpret_cast<const char*>(&token.byte), 1));
            break;
        case RtfTokenizer::Type::Text:
            textBytes(token.text);
            break;
        case RtfTokenizer::Type::Binary:
            if (m_fallbackToSkip > 0)
                --m_fallbackToSkip;
            break;
        }
        m_groupFresh = token.type == RtfTokenizer::Type::GroupStart ||
                       (m_groupFresh && token.type == RtfTokenizer::Type::ControlSymbol &&
                        token.symbol == '*');
    }
    flushBytes();
    return m_lines.finish();
}

void Walker::openGroup() {
    flushBytes();
    m_fallbackToSkip = 0;
    m_ignorableNext = false;
    if (m_overflowDepth > 0 || int(m_stack.size()) > kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_stack.back());
}

void Walker::closeGroup() {
    flushBytes();
    m_fallbackToSkip = 0;
    m_ignorableNext = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 1)
        return;
    if (m_stack.size() == 2) {
        m_done = true; // what follows the document's group is not RTF
        return;
    }
    const RtfDestination closed = m_stack.back().destination;
    m_stack.pop_back();
    const RtfDestination parent = state().destination;
    if (closed == parent && (closed == RtfDestination::Picture || isRawDestination(closed)))
        return; // a group inside the picture or the kept group
    if (closed == RtfDestination::Picture || closed == RtfDestination::Kept) {
        // The editor puts an object where the group was: it has no text, but
        // it opens the paragraph that a break left pending.
        placeParagraph();
        m_lines.insertObject();
    } else if (closed == RtfDestination::FontTable && m_fontNumber >= 0) {
        commitFont();
    }
}

bool Walker::openRaw(RtfDestination destination, bool firstWord) {
    // As RtfGroupKeeper::open decides: only a group of the text that names
    // itself with its first word becomes an object; others are skipped.
    RtfGroupState& s = state();
    if (s.destination != RtfDestination::Body || m_stack.size() <= 2 || !firstWord) {
        s.destination = RtfDestination::Skip;
        return false;
    }
    s.destination = destination;
    return true;
}

void Walker::controlWord(const Token& token) {
    flushBytes();
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    if (m_overflowDepth > 0)
        return;
    RtfGroupState& s = state();
    if (s.destination == RtfDestination::Skip || isRawDestination(s.destination) ||
        s.destination == RtfDestination::Picture)
        return;
    const bool firstWord = m_groupFresh;
    const RtfKeywords::Match match = RtfKeywords::lookup(token.text);
    const K keyword = match.keyword;
    if (std::exchange(m_ignorableNext, false) && !RtfKeywords::isReadDestination(keyword)) {
        s.destination = RtfDestination::Skip;
        return;
    }
    if (RtfFormatWords::applyCharacterWord(keyword, token, s.character) ||
        RtfFormatWords::applyParagraphWord(keyword, token, s.paragraph) ||
        m_tables.applyCodePageWord(keyword, token.param))
        return;

    const int param = token.param;
    switch (keyword) {
    case K::Deff:
        m_tables.defaultFont = param;
        break;
    case K::Uc:
        s.unicodeSkip = std::clamp(param, 0, 16);
        break;
    case K::U:
        if (const QString text = RtfTextDecoder::unicodeText(param); !text.isEmpty())
            appendText(text);
        m_fallbackToSkip = s.unicodeSkip;
        break;
    case K::FontTable:
        s.destination = RtfDestination::FontTable;
        m_fontNumber = -1;
        break;
    case K::ColorTable:
        s.destination = RtfDestination::ColorTable;
        break;
    case K::ListMarker:
        s.destination = RtfDestination::ListMarker;
        break;
    case K::ListDefinition:
        s.destination = RtfDestination::ListDefinition;
        break;
    case K::FieldInstruction:
        s.destination = firstWord ? RtfDestination::FieldInstruction : RtfDestination::Skip;
        break;
    case K::SkipDestination:
        s.destination = RtfDestination::Skip;
        break;
    case K::Picture:
        openRaw(RtfDestination::Picture, firstWord);
        break;
    case K::KeptGroup:
        openRaw(RtfDestination::Kept, firstWord);
        break;
    case K::DocumentInfo:
        openRaw(RtfDestination::DocumentInfo, firstWord);
        break;
    case K::F:
        if (s.destination == RtfDestination::FontTable) {
            if (m_fontNumber >= 0)
                commitFont();
            m_fontNumber = param;
            m_fontCodePage = 0;
        } else {
            s.character.font = param;
        }
        break;
    case K::FCharset:
        if (s.destination == RtfDestination::FontTable)
            m_fontCodePage = RtfTextDecoder::codePageForCharset(param);
        break;
    case K::Cpg:
        if (s.destination == RtfDestination::FontTable && param > 0)
            m_fontCodePage = param;
        break;
    case K::Par:
        endParagraph();
        break;
    case K::Character:
        appendChar(match.character);
        break;
    default:
        tableWord(keyword, param);
        break;
    }
}

// The table words as RtfTableReader takes them.
bool Walker::tableWord(K keyword, int param) {
    RtfGroupState& s = state();
    if (keyword == K::NestedTableProps) {
        s.destination = RtfDestination::Skip;
        return true;
    }
    if (s.destination != RtfDestination::Body)
        return false;
    switch (keyword) {
    case K::TableDepth:
        s.paragraph.inTable = param > 0;
        return true;
    case K::RowDefaults:
        m_row.reset();
        return true;
    case K::CellBoundary:
        m_row.addBoundary(param);
        return true;
    case K::Cell:
        m_lines.placeInTable(true, m_row.cells());
        m_lines.endCell();
        return true;
    case K::Row:
        if (m_lines.inTable())
            m_lines.endRow();
        else
            endParagraph();
        return true;
    case K::NestedCell:
        appendChar(u'\t');
        return true;
    case K::NestedRow:
        endParagraph();
        return true;
    default:
        return false;
    }
}

void Walker::controlSymbol(char symbol) {
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    if (m_overflowDepth > 0 || state().destination == RtfDestination::Skip)
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        destinationBytes(QByteArrayView(&symbol, 1));
        return;
    case '*':
        m_ignorableNext = true;
        return;
    default:
        break;
    }
    flushBytes();
    switch (symbol) {
    case '~':
        appendChar(0x00A0);
        break;
    case '-':
        appendChar(0x00AD);
        break;
    case '_':
        appendChar(0x2011);
        break;
    case '\r':
    case '\n':
        endParagraph();
        break;
    default:
        break;
    }
}

void Walker::textBytes(QByteArrayView bytes) {
    m_ignorableNext = false;
    if (m_fallbackToSkip > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_fallbackToSkip, bytes.size());
        m_fallbackToSkip -= int(skipped);
        bytes = bytes.sliced(skipped);
    }
    if (bytes.isEmpty() || m_overflowDepth > 0)
        return;
    destinationBytes(bytes);
}

void Walker::destinationBytes(QByteArrayView bytes) {
    switch (state().destination) {
    case RtfDestination::Body:
        break;
    case RtfDestination::FontTable:
        // An entry ends at its ';'; its name is not needed.
        for (char c : bytes) {
            if (c == ';')
                commitFont();
        }
        return;
    default:
        return;
    }
    const int codePage = m_tables.codePageOf(state().character.font);
    if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = codePage;
    // Bytes gather until something else comes, so that the two \'xx of a
    // double-byte character are decoded together. Control bytes other than
    // the tab are noise from damaged files.
    const auto isNoise = [](char c) { return uchar(c) < 0x20 && c != '\t'; };
    if (std::none_of(bytes.begin(), bytes.end(), isNoise)) {
        m_bytes.append(bytes);
        return;
    }
    std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(m_bytes),
                 [&](char c) { return !isNoise(c); });
}

void Walker::flushBytes() {
    if (m_bytes.isEmpty())
        return;
    const QString text = m_decoder.decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    appendText(text);
}

void Walker::appendText(QStringView text) {
    const RtfGroupState& s = state();
    if (s.destination != RtfDestination::Body || s.character.hidden)
        return;
    // Placed even when nothing of it is text, as the parser places it.
    placeParagraph();
    if (std::none_of(text.begin(), text.end(), isInvisible)) {
        m_lines.appendText(text);
        return;
    }
    QString visible = text.toString();
    visible.removeIf(isInvisible);
    m_lines.appendText(visible);
}

void Walker::endParagraph() {
    if (!inBody())
        return;
    placeParagraph();
    m_lines.endParagraph();
}

void Walker::commitFont() {
    if (m_fontNumber >= 0)
        m_tables.fonts.insert(m_fontNumber, {QString(), m_fontCodePage});
    m_fontNumber = -1;
    m_fontCodePage = 0;
}

} // namespace

namespace RtfPlainText {

std::optional<QString> read(QByteArrayView rtf) {
    if (!RtfReader::isRtf(rtf))
        return std::nullopt;
    qsizetype from = rtf.indexOf("{\\rtf");
    return Walker(rtf.sliced(from)).run();
}

} // namespace RtfPlainText
