#include "DocumentText.h"

#include "FileContentSearch.h"
#include "HtmlCharset.h"
#include "HtmlPlainText.h"
#include "MhtPlainText.h"
#include "config/TextCodec.h"
#include "rtf/RtfPlainText.h"

#include <algorithm>

namespace DocumentText {

std::optional<Format> formatOf(QStringView fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return std::nullopt;
    const QStringView extension = fileName.sliced(dot + 1);
    const auto is = [&](const char* name) {
        return extension.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("rtf"))
        return Format::Rtf;
    if (is("htm") || is("html"))
        return Format::Html;
    if (is("mht") || is("mhtml"))
        return Format::Mht;
    return std::nullopt;
}

namespace {

std::optional<QString> extractAny(Format format, QByteArrayView bytes) {
    switch (format) {
    case Format::Rtf:
        return RtfPlainText::read(bytes);
    case Format::Html:
        return HtmlPlainText::fromHtml(HtmlCharset::decode(bytes));
    case Format::Mht:
        return MhtPlainText::read(bytes);
    }
    return std::nullopt;
}

// Half a surrogate pair is no character. RTF can write one (\u-10179 with
// no second half), a UTF-16 page can hold one; a regular expression must not
// meet it, as the search runs them without checking the text.
void mendSurrogates(QString& text) {
    char16_t* s = reinterpret_cast<char16_t*>(text.data());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (!QChar::isSurrogate(s[i]))
            continue;
        if (QChar::isHighSurrogate(s[i]) && i + 1 < size && QChar::isLowSurrogate(s[i + 1]))
            ++i;
        else
            s[i] = QChar::ReplacementCharacter;
    }
}

} // namespace

std::optional<QString> extract(Format format, QByteArrayView bytes) {
    std::optional<QString> text = extractAny(format, bytes);
    if (text)
        mendSurrogates(*text);
    return text;
}

QString plainText(QByteArrayView bytes) {
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0)
        bytes = bytes.first(zero);
    const qsizetype head = std::min(bytes.size(), FileContentSearch::kEncodingHead);
    if (TextCodec::readsAsUtf8(bytes.first(head), head < bytes.size()))
        return QString::fromUtf8(bytes);
    return TextCodec::decode(bytes);
}

} // namespace DocumentText
