#include "RtfParser.h"

#include "RtfFieldInstruction.h"
#include "RtfFormatWords.h"
#include "RtfKeptGroup.h"
#include "RtfUnkept.h"

#include <algorithm>
#include <utility>

namespace {

using K = RtfKeyword;
using Token = RtfTokenizer::Token;

} // namespace

RtfParser::RtfParser(QByteArrayView rtf, const QTextCursor& cursor)
    : m_tokens(rtf), m_builder(cursor, m_tables), m_tableReader(m_builder, m_unkept, m_keeper) {
    m_stack.reserve(kMaxDepth + 1);
    m_stack.emplace_back();
}

void RtfParser::run() {
    while (!m_done) {
        const Token token = m_tokens.next();
        switch (token.type) {
        case RtfTokenizer::Type::End:
            finish();
            return;
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
            // Binary data belongs to pictures and objects, never to the text.
            if (m_fallbackToSkip > 0)
                --m_fallbackToSkip;
            else if (m_overflowDepth == 0 && state().destination == RtfDestination::Picture)
                m_picture.appendBinary(token.text);
            break;
        }
        // Whether the next token is the first of its group, \* aside.
        m_groupFresh = token.type == RtfTokenizer::Type::GroupStart ||
                       (m_groupFresh && token.type == RtfTokenizer::Type::ControlSymbol &&
                        token.symbol == '*');
    }
}

void RtfParser::openGroup() {
    flushBytes();
    m_fallbackToSkip = 0;
    m_ignorableNext = false;
    if (m_overflowDepth > 0 || int(m_stack.size()) > kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_stack.back());
    m_keeper.opened(state());
}

void RtfParser::closeGroup() {
    flushBytes();
    m_fallbackToSkip = 0;
    m_ignorableNext = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 1)
        return; // a stray brace before the document's own group
    if (m_stack.size() == 2) {
        // The document's group ends; whatever follows it is not RTF.
        finish();
        return;
    }
    const RtfGroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    endDestination(closed);
}

void RtfParser::endDestination(const RtfGroupState& closed) {
    RtfGroupState& parent = state();
    if (closed.destination == parent.destination &&
        (closed.destination == RtfDestination::Picture || isRawDestination(closed.destination)))
        return; // a group inside the picture or the kept group
    switch (closed.destination) {
    case RtfDestination::Picture: {
        placeParagraph();
        const auto image = m_picture.addTo(m_builder.cursor().document());
        m_builder.insertObject(
            image ? QTextCharFormat(*image)
                  : RtfKeptGroup::format(m_keeper.bytesOf(closed), RtfKeptGroup::Kind::Picture));
        break;
    }
    case RtfDestination::Kept:
        placeParagraph();
        m_builder.insertObject(RtfKeptGroup::format(m_keeper.bytesOf(closed), closed.keptKind));
        break;
    case RtfDestination::DocumentInfo:
        m_documentGroups.append(m_keeper.bytesOf(closed));
        break;
    case RtfDestination::FontTable:
        // An entry may lack its ';' and end with its group instead.
        if (m_fontNumber >= 0)
            commitFont();
        break;
    case RtfDestination::ListDefinition:
        if (parent.destination != RtfDestination::ListDefinition) {
            // \pn is a group, but what it says belongs to the paragraph.
            parent.paragraph.listStyle = closed.paragraph.listStyle;
            parent.paragraph.listStyleExplicit = closed.paragraph.listStyleExplicit;
            parent.paragraph.listLevel = closed.paragraph.listLevel;
        }
        break;
    case RtfDestination::FieldInstruction:
        if (parent.destination != RtfDestination::FieldInstruction) {
            // The field's result, read next inside the same field group, is the link.
            const QString target = RtfFieldInstruction::hyperlinkTarget(m_fieldInstruction);
            if (!target.isEmpty()) {
                m_tables.links.append(target);
                parent.character.link = int(m_tables.links.size()) - 1;
            } else if (!m_fieldInstruction.trimmed().isEmpty()) {
                m_keeper.keepField(parent, closed.start, m_stack.size() > 2);
            }
            m_fieldInstruction.clear();
        }
        break;
    default:
        break;
    }
}

void RtfParser::finish() {
    flushBytes();
    for (const RtfGroupState& open : m_stack) {
        if (open.destination == RtfDestination::Picture || isRawDestination(open.destination)) {
            RtfUnkept::add(m_unkept, RtfUnkept::cutObject());
            break;
        }
    }
    if (!m_done)
        m_builder.finish(state().paragraph, state().character, m_marker);
    m_done = true;
}

void RtfParser::controlWord(const Token& token) {
    flushBytes();
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    if (m_overflowDepth > 0)
        return;
    RtfGroupState& s = state();
    if (s.destination == RtfDestination::Skip || isRawDestination(s.destination))
        return;
    const bool firstWord = m_groupFresh;
    const RtfKeywords::Match match = RtfKeywords::lookup(token.text);
    const RtfKeyword keyword = match.keyword;
    if (std::exchange(m_ignorableNext, false) && !RtfKeywords::isReadDestination(keyword)) {
        s.destination = RtfDestination::Skip;
        return;
    }
    if (s.destination == RtfDestination::Picture) {
        m_picture.applyWord(keyword, token.param);
        return;
    }
    if (RtfFormatWords::applyCharacterWord(keyword, token, s.character) ||
        RtfFormatWords::applyParagraphWord(keyword, token, s.paragraph))
        return;
    if (m_tables.applyCodePageWord(keyword, token.param) || m_color.apply(keyword, token.param)) {
        m_keeper.sharedStateChanged();
        return;
    }

    const int param = token.param;
    switch (keyword) {
    case K::Deff:
        m_keeper.sharedStateChanged();
        m_tables.defaultFont = param;
        m_builder.tablesChanged();
        break;
    case K::Uc:
        s.unicodeSkip = std::clamp(param, 0, 16);
        break;
    case K::U:
        appendUnicode(param);
        m_fallbackToSkip = s.unicodeSkip;
        break;
    case K::FontTable:
        m_keeper.sharedStateChanged();
        s.destination = RtfDestination::FontTable;
        m_fontNumber = -1;
        m_fontName.clear();
        break;
    case K::ColorTable:
        m_keeper.sharedStateChanged();
        s.destination = RtfDestination::ColorTable;
        m_tables.colors.clear();
        m_color.take();
        m_builder.tablesChanged();
        break;
    case K::ListMarker:
        s.destination = RtfDestination::ListMarker;
        m_marker.clear();
        break;
    case K::ListDefinition:
        s.destination = RtfDestination::ListDefinition;
        break;
    case K::FieldInstruction:
        if (!firstWord) {
            // What its group showed before it would be in a kept field twice.
            if (s.destination == RtfDestination::Body)
                RtfUnkept::add(m_unkept, RtfUnkept::strayGroup());
            s.destination = RtfDestination::Skip;
            break;
        }
        s.destination = RtfDestination::FieldInstruction;
        m_fieldInstruction.clear();
        break;
    case K::SkipDestination:
        s.destination = RtfDestination::Skip;
        break;
    case K::Picture:
        if (m_keeper.open(s, RtfDestination::Picture, m_stack.size() > 2, firstWord))
            m_picture = RtfPicture();
        break;
    case K::KeptGroup:
        if (const auto kind = RtfKeptGroup::kindOfDestination(token.text);
            kind && m_keeper.open(s, RtfDestination::Kept, m_stack.size() > 2, firstWord))
            s.keptKind = *kind;
        break;
    case K::DocumentInfo:
        m_keeper.open(s, RtfDestination::DocumentInfo, m_stack.size() > 2, firstWord);
        break;
    case K::F:
        if (s.destination == RtfDestination::FontTable) {
            if (m_fontNumber >= 0)
                commitFont();
            m_fontNumber = param;
            m_fontCodePage = 0;
            m_fontName.clear();
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
        switch (m_tableReader.apply(keyword, param, s, m_marker)) {
        case RtfTableReader::Effect::AppendTab:
            appendChar(u'\t');
            break;
        case RtfTableReader::Effect::EndParagraph:
            endParagraph();
            break;
        default:
            break;
        }
        break;
    }
}

void RtfParser::controlSymbol(char symbol) {
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

void RtfParser::textBytes(QByteArrayView bytes) {
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

void RtfParser::destinationBytes(QByteArrayView bytes) {
    const RtfGroupState& s = state();
    switch (s.destination) {
    case RtfDestination::Skip:
    case RtfDestination::ListDefinition:
    case RtfDestination::Kept:
    case RtfDestination::DocumentInfo:
        return;
    case RtfDestination::Picture:
        m_picture.appendHex(bytes);
        return;
    case RtfDestination::FontTable:
        fontTableBytes(bytes);
        return;
    case RtfDestination::ColorTable:
        for (char c : bytes) {
            if (c == ';')
                commitColor();
        }
        return;
    default:
        break;
    }
    // Control characters other than the tab are noise from damaged files.
    const auto isNoise = [](char c) { return uchar(c) < 0x20 && c != '\t'; };
    if (std::none_of(bytes.begin(), bytes.end(), isNoise)) {
        appendBytes(bytes);
        return;
    }
    QByteArray clean;
    std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(clean),
                 [&](char c) { return !isNoise(c); });
    appendBytes(clean);
}

void RtfParser::fontTableBytes(QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf(';');
        if (end < 0) {
            appendBytes(bytes);
            return;
        }
        appendBytes(bytes.first(end));
        commitFont();
        bytes = bytes.sliced(end + 1);
    }
}

void RtfParser::appendBytes(QByteArrayView bytes) {
    // Bytes gather until something else comes, so that the two \'xx of a
    // double-byte character are decoded together.
    const int codePage = state().destination == RtfDestination::FontTable
                             ? (m_fontCodePage ? m_fontCodePage : m_tables.codePage)
                             : m_tables.codePageOf(state().character.font);
    if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = codePage;
    m_bytes.append(bytes);
}

void RtfParser::flushBytes() {
    if (m_bytes.isEmpty())
        return;
    QString text = m_decoder.decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    // The raw control bytes are gone already, but some code pages decode a
    // printable byte to one (IBM437 has U+001A at 0x7F): noise all the same.
    text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\t'); });
    appendText(text);
}

void RtfParser::appendText(QStringView text) {
    const RtfGroupState& s = state();
    switch (s.destination) {
    case RtfDestination::Body:
        if (s.character.hidden) {
            if (!text.trimmed().isEmpty())
                RtfUnkept::add(m_unkept, RtfUnkept::hiddenText());
        } else if (text.contains(QChar::ObjectReplacementCharacter)) {
            // The object character stands for an object, never for text.
            QString plain = text.toString();
            plain.remove(QChar::ObjectReplacementCharacter);
            placeParagraph();
            m_builder.appendText(plain, s.character);
        } else {
            placeParagraph();
            m_builder.appendText(text, s.character);
        }
        break;
    case RtfDestination::ListMarker:
        m_marker += text;
        break;
    case RtfDestination::FieldInstruction:
        m_fieldInstruction += text;
        break;
    case RtfDestination::FontTable:
        if (m_fontNumber >= 0)
            m_fontName += text;
        break;
    default:
        break;
    }
}

void RtfParser::appendUnicode(int value) {
    if (const QString text = RtfTextDecoder::unicodeText(value); !text.isEmpty())
        appendText(text);
}

void RtfParser::endParagraph() {
    if (state().destination != RtfDestination::Body)
        return;
    placeParagraph();
    m_builder.endParagraph(state().paragraph, state().character, m_marker);
    m_marker.clear();
}

void RtfParser::commitFont() {
    m_keeper.sharedStateChanged();
    flushBytes();
    if (m_fontNumber >= 0) {
        m_tables.fonts.insert(m_fontNumber, {m_fontName.trimmed(), m_fontCodePage});
        m_builder.tablesChanged();
    }
    m_fontNumber = -1;
    m_fontCodePage = 0;
    m_fontName.clear();
}

void RtfParser::commitColor() {
    m_keeper.sharedStateChanged();
    m_tables.colors.append(m_color.take());
    m_builder.tablesChanged();
}
