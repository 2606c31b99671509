#include "HtmlPlainText.h"

#include "HtmlEntities.h"
#include "rtf/Cp1252.h"

#include <array>
#include <string_view>

namespace {

enum class Element { Other, Block, Break, Cell, Skipped, Title, Pre, PlainPre };

Element kindOf(QStringView name) {
    struct Entry {
        std::u16string_view name;
        Element kind;
    };
    static constexpr std::array kEntries = std::to_array<Entry>({
        {u"address", Element::Block},
        {u"article", Element::Block},
        {u"aside", Element::Block},
        {u"blockquote", Element::Block},
        {u"br", Element::Break},
        {u"caption", Element::Block},
        {u"center", Element::Block},
        {u"dd", Element::Block},
        {u"details", Element::Block},
        {u"dialog", Element::Block},
        {u"dir", Element::Block},
        {u"div", Element::Block},
        {u"dl", Element::Block},
        {u"dt", Element::Block},
        {u"fieldset", Element::Block},
        {u"figcaption", Element::Block},
        {u"figure", Element::Block},
        {u"footer", Element::Block},
        {u"form", Element::Block},
        {u"h1", Element::Block},
        {u"h2", Element::Block},
        {u"h3", Element::Block},
        {u"h4", Element::Block},
        {u"h5", Element::Block},
        {u"h6", Element::Block},
        {u"head", Element::Block},
        {u"header", Element::Block},
        {u"hgroup", Element::Block},
        {u"hr", Element::Block},
        {u"iframe", Element::Skipped},
        {u"legend", Element::Block},
        {u"li", Element::Block},
        {u"listing", Element::Pre},
        {u"main", Element::Block},
        {u"menu", Element::Block},
        {u"nav", Element::Block},
        {u"noembed", Element::Skipped},
        {u"noframes", Element::Skipped},
        {u"ol", Element::Block},
        {u"p", Element::Block},
        {u"plaintext", Element::PlainPre},
        {u"pre", Element::Pre},
        {u"script", Element::Skipped},
        {u"section", Element::Block},
        {u"style", Element::Skipped},
        {u"summary", Element::Block},
        {u"table", Element::Block},
        {u"tbody", Element::Block},
        {u"td", Element::Cell},
        {u"template", Element::Skipped},
        {u"textarea", Element::Pre},
        {u"tfoot", Element::Block},
        {u"th", Element::Cell},
        {u"thead", Element::Block},
        {u"title", Element::Title},
        {u"tr", Element::Block},
        {u"ul", Element::Block},
        {u"xmp", Element::PlainPre},
    });
    for (const Entry& e : kEntries) {
        if (QStringView(e.name.data(), qsizetype(e.name.size())) == name)
            return e.kind;
    }
    return Element::Other;
}

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiAlnum(char16_t c) {
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

// Lines as a browser lays text out: collapsible white space between words
// becomes one space, none at a line's ends; a block ends the line it is in
// unless that is empty; <br> ends it always.
class Lines {
public:
    void text(char16_t c) {
        if (isSpace(c)) {
            if (!lineEmpty() && m_gap == 0)
                m_gap = u' ';
            return;
        }
        visible(c);
    }
    // A character that keeps its place: a no-break space, or any of a <pre>.
    void kept(char16_t c) {
        if (c == u'\n') {
            lineBreak();
            return;
        }
        visible(c == 0x00A0 ? u' ' : c);
    }
    void blockBreak() {
        if (!lineEmpty())
            lineBreak();
    }
    void lineBreak() {
        m_out += u'\n';
        m_lineStart = m_out.size();
        m_gap = 0;
    }
    void cell() {
        if (!lineEmpty())
            m_gap = u'\t';
    }
    QString take() {
        while (m_out.endsWith(u'\n'))
            m_out.chop(1);
        return std::move(m_out);
    }

private:
    bool lineEmpty() const { return m_out.size() == m_lineStart; }
    void visible(char16_t c) {
        // Control characters and the byte-order mark show nothing.
        if ((c < 0x20 && c != u'\t') || (c >= 0x7F && c < 0xA0) || c == 0xFEFF)
            return;
        if (m_gap != 0) {
            m_out += QChar(m_gap);
            m_gap = 0;
        }
        m_out += QChar(c);
    }

    QString m_out;
    qsizetype m_lineStart = 0;
    char16_t m_gap = 0;
};

class Walker {
public:
    explicit Walker(QStringView html) : m_html(html) {}
    QString run();

private:
    char16_t at(qsizetype i) const { return i < m_html.size() ? m_html.at(i).unicode() : 0; }
    void character(char16_t c);
    void reference();
    bool tag();
    qsizetype tagEnd(qsizetype from) const;
    qsizetype closingTag(QStringView name, qsizetype from) const;
    void element(QStringView name, bool end);
    void rawText(qsizetype from, qsizetype to, bool references);

    QStringView m_html;
    qsizetype m_pos = 0;
    Lines m_lines;
    int m_pre = 0; // open <pre>, <listing> and <textarea>
};

QString Walker::run() {
    while (m_pos < m_html.size()) {
        const char16_t c = m_html.at(m_pos).unicode();
        if (c == u'<' && tag())
            continue;
        if (c == u'&') {
            reference();
            continue;
        }
        ++m_pos;
        character(c);
    }
    return m_lines.take();
}

void Walker::character(char16_t c) {
    if (c == u'\r') {
        // A page's line ends are CR LF, LF or CR alike.
        if (at(m_pos) == u'\n')
            return;
        c = u'\n';
    }
    if (m_pre > 0 || c == 0x00A0)
        m_lines.kept(c);
    else
        m_lines.text(c);
}

void Walker::reference() {
    // At '&'. What does not make a reference is text as it stands.
    const qsizetype start = m_pos;
    qsizetype i = start + 1;
    char32_t code = 0;
    if (at(i) == u'#') {
        ++i;
        const bool hex = at(i) == u'x' || at(i) == u'X';
        if (hex)
            ++i;
        const qsizetype digits = i;
        for (;; ++i) {
            const char16_t d = at(i);
            int value;
            if (d >= u'0' && d <= u'9')
                value = d - u'0';
            else if (hex && ((d >= u'a' && d <= u'f') || (d >= u'A' && d <= u'F')))
                value = (d | 0x20) - u'a' + 10;
            else
                break;
            code = std::min<char32_t>(0x110000, code * (hex ? 16 : 10) + char32_t(value));
        }
        if (i == digits) {
            ++m_pos;
            character(u'&');
            return;
        }
        if (at(i) == u';')
            ++i;
        if (code >= 0x80 && code <= 0x9F)
            code = Cp1252::toUnicode(uchar(code)).unicode(); // as Windows writers meant it
        else if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
    } else {
        qsizetype end = i;
        while (end < m_html.size() && end - i < 32 && isAsciiAlnum(at(end)))
            ++end;
        const QStringView name = m_html.sliced(i, end - i);
        if (at(end) == u';' && (code = HtmlEntities::lookup(name)) != 0) {
            i = end + 1;
        } else {
            // Without its ';' only a Latin-1 name counts, as browsers read
            // the pages written before the ';' was enforced: "&copy2024".
            for (qsizetype length = std::min<qsizetype>(name.size(), 8); length >= 2; --length) {
                code = HtmlEntities::lookup(name.first(length));
                if (code != 0 && code <= 0xFF) {
                    i += length;
                    break;
                }
                code = 0;
            }
        }
        if (code == 0) {
            ++m_pos;
            character(u'&');
            return;
        }
    }
    m_pos = i;
    if (code > 0xFFFF) {
        character(QChar::highSurrogate(code));
        character(QChar::lowSurrogate(code));
    } else {
        character(char16_t(code));
    }
}

qsizetype Walker::tagEnd(qsizetype from) const {
    // A '>' inside a quoted attribute value does not end the tag; a quote
    // never closed does not swallow the page.
    for (qsizetype i = from; i < m_html.size(); ++i) {
        const char16_t c = m_html.at(i).unicode();
        if (c == u'>')
            return i + 1;
        if (c != u'=')
            continue;
        qsizetype v = i + 1;
        while (isSpace(at(v)))
            ++v;
        const char16_t quote = at(v);
        if (quote != u'"' && quote != u'\'')
            continue;
        const qsizetype close = m_html.indexOf(QChar(quote), v + 1);
        if (close < 0)
            break;
        i = close;
    }
    const qsizetype plain = m_html.indexOf(u'>', from);
    return plain < 0 ? m_html.size() : plain + 1;
}

qsizetype Walker::closingTag(QStringView name, qsizetype from) const {
    for (qsizetype i = m_html.indexOf(QStringLiteral("</"), from); i >= 0;
         i = m_html.indexOf(QStringLiteral("</"), i + 2)) {
        const qsizetype after = i + 2 + name.size();
        if (m_html.sliced(i + 2).startsWith(name, Qt::CaseInsensitive) &&
            (after >= m_html.size() || isSpace(at(after)) || at(after) == u'>' ||
             at(after) == u'/'))
            return i;
    }
    return m_html.size();
}

bool Walker::tag() {
    // At '<'. Anything but a tag, comment or declaration is text.
    const char16_t next = at(m_pos + 1);
    if (next == u'!') {
        if (m_html.sliced(m_pos + 2).startsWith(QStringLiteral("--"))) {
            const qsizetype close = m_html.indexOf(QStringLiteral("-->"), m_pos + 4);
            m_pos = close < 0 ? m_html.size() : close + 3;
        } else {
            const qsizetype close = m_html.indexOf(u'>', m_pos + 2);
            m_pos = close < 0 ? m_html.size() : close + 1;
        }
        return true;
    }
    if (next == u'?') {
        const qsizetype close = m_html.indexOf(u'>', m_pos + 2);
        m_pos = close < 0 ? m_html.size() : close + 1;
        return true;
    }
    const bool end = next == u'/';
    const qsizetype nameStart = m_pos + (end ? 2 : 1);
    if (!isAsciiLetter(at(nameStart)))
        return false;
    qsizetype nameEnd = nameStart;
    while (isAsciiAlnum(at(nameEnd)))
        ++nameEnd;
    const QString name = m_html.sliced(nameStart, nameEnd - nameStart).toString().toLower();
    m_pos = tagEnd(nameEnd);
    element(name, end);
    return true;
}

void Walker::element(QStringView name, bool end) {
    switch (kindOf(name)) {
    case Element::Other:
        return;
    case Element::Block:
        m_lines.blockBreak();
        return;
    case Element::Break:
        m_lines.lineBreak();
        return;
    case Element::Cell:
        if (!end)
            m_lines.cell();
        return;
    case Element::Skipped:
        if (!end) {
            const qsizetype close = closingTag(name, m_pos);
            m_pos = close < m_html.size() ? tagEnd(close) : close;
        }
        return;
    case Element::Title: {
        if (end)
            return;
        const qsizetype close = closingTag(name, m_pos);
        m_lines.blockBreak();
        rawText(m_pos, close, true);
        m_lines.blockBreak();
        m_pos = close < m_html.size() ? tagEnd(close) : close;
        return;
    }
    case Element::Pre:
        m_lines.blockBreak();
        if (end) {
            m_pre = std::max(0, m_pre - 1);
            return;
        }
        ++m_pre;
        // A line feed right after the start tag is not part of the text.
        if (at(m_pos) == u'\r')
            ++m_pos;
        if (at(m_pos) == u'\n')
            ++m_pos;
        if (name == u"textarea") {
            // Its content is text, tags and all.
            const qsizetype close = closingTag(name, m_pos);
            rawText(m_pos, close, true);
            m_pos = close;
        }
        return;
    case Element::PlainPre: {
        if (end)
            return;
        m_lines.blockBreak();
        const qsizetype close = name == u"plaintext" ? m_html.size() : closingTag(name, m_pos);
        ++m_pre;
        rawText(m_pos, close, false);
        --m_pre;
        m_lines.blockBreak();
        m_pos = close < m_html.size() ? tagEnd(close) : close;
        return;
    }
    }
}

void Walker::rawText(qsizetype from, qsizetype to, bool references) {
    m_pos = from;
    while (m_pos < to) {
        const char16_t c = m_html.at(m_pos).unicode();
        if (references && c == u'&') {
            reference();
            continue;
        }
        ++m_pos;
        character(c);
    }
}

} // namespace

namespace HtmlPlainText {

QString fromHtml(QStringView html) {
    return Walker(html).run();
}

} // namespace HtmlPlainText
