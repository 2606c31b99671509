// The text the file search reads in documents, on any bytes taken as RTF,
// as a web page and as a web archive. The text holds no control character
// but the tab and the line feed, and no half of a surrogate pair (the search
// runs expressions on it unchecked). Whatever text one input gives, written
// back into each format, reads back the same: as RTF paragraphs in \u
// escapes, as a page's <pre>, and as that page in a web archive part,
// quoted-printable or base64.

#include "FuzzSupport.h"
#include "search/DocumentText.h"
#include "search/HtmlPlainText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

void expectClean(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        FUZZ_EXPECT(c.unicode() >= 0x20 || c == u'\t' || c == u'\n');
        if (c.isHighSurrogate()) {
            FUZZ_EXPECT(i + 1 < text.size() && text.at(i + 1).isLowSurrogate());
            ++i;
        } else {
            FUZZ_EXPECT(!c.isLowSurrogate());
        }
    }
}

// Characters one of the formats drops or turns into another (a no-break
// space into a space, invisible ones into nothing); text with one of them
// does not read back the same from every format.
bool keptByAll(const QString& text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x7F && u <= 0xA0) || u == 0xAD || (u >= 0x200C && u <= 0x200F) ||
               u == 0xFEFF || u == QChar::ObjectReplacementCharacter;
    });
}

QByteArray asRtf(const QString& text) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            rtf += "\\par ";
        else if (u == u'\t')
            rtf += "\\tab ";
        else if (u == 0x2028)
            rtf += "\\line ";
        else if (u == u'\\' || u == u'{' || u == u'}')
            rtf += '\\' + QByteArray(1, char(u));
        else if (u >= 0x20 && u < 0x7F)
            rtf += char(u);
        else
            rtf += "\\u" + QByteArray::number(u > 0x7FFF ? int(u) - 0x10000 : int(u)) + '?';
    }
    // A last empty paragraph is there only when a break opens it.
    if (text.endsWith(u'\n'))
        rtf += "\\par ";
    return rtf + '}';
}

QString asHtml(const QString& text) {
    QString html = QStringLiteral("<pre>\n");
    for (const QChar c : text) {
        if (c == u'&')
            html += QStringLiteral("&amp;");
        else if (c == u'<')
            html += QStringLiteral("&lt;");
        else
            html += c;
    }
    return html + QStringLiteral("</pre>");
}

QByteArray quotedPrintable(const QByteArray& bytes) {
    QByteArray out;
    int column = 0;
    for (const char c : bytes) {
        if (column >= 70) {
            out += "=\r\n";
            column = 0;
        }
        const uchar u = uchar(c);
        if (u >= 0x21 && u < 0x7F && u != '=') {
            out += c;
            column += 1;
        } else {
            out += '=' + QByteArray(1, c).toHex().toUpper();
            column += 3;
        }
    }
    return out;
}

QByteArray asMht(const QString& text, bool base64) {
    const QByteArray html = asHtml(text).toUtf8();
    QByteArray mht =
        "MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=\"=b=\"\r\n\r\n"
        "--=b=\r\nContent-Type: text/html; charset=utf-8\r\n";
    if (base64)
        mht += "Content-Transfer-Encoding: base64\r\n\r\n" + html.toBase64() + "\r\n";
    else
        mht +=
            "Content-Transfer-Encoding: quoted-printable\r\n\r\n" + quotedPrintable(html) + "\r\n";
    return mht + "--=b=--\r\n";
}

QString readBack(DocumentText::Format format, const QByteArray& bytes) {
    return DocumentText::extract(format, bytes).value_or(QStringLiteral("(not read)"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using DocumentText::Format;
    const QByteArrayView bytes(data, qsizetype(size));
    for (const Format format : {Format::Rtf, Format::Html, Format::Mht}) {
        const std::optional<QString> text = DocumentText::extract(format, bytes);
        if (!text) {
            FUZZ_EXPECT(format != Format::Html);
            continue;
        }
        expectClean(*text);
        if (!keptByAll(*text))
            continue;
        // Only RTF's text may end in an empty line: an empty last paragraph.
        FUZZ_EXPECT_EQUAL(readBack(Format::Rtf, asRtf(*text)), *text);
        if (format == Format::Rtf && text->endsWith(u'\n'))
            continue;
        FUZZ_EXPECT_EQUAL(HtmlPlainText::fromHtml(asHtml(*text)), *text);
        FUZZ_EXPECT_EQUAL(readBack(Format::Mht, asMht(*text, size % 2 == 0)), *text);
    }
    return 0;
}
