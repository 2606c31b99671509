#include "HtmlCharset.h"

#include "FileContentSearch.h"
#include "config/TextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {

// How far into a page browsers look for its <meta charset>.
constexpr qsizetype kMetaHead = 4096;

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
           c == ':';
}

QByteArray converterName(QByteArray name) {
    name = name.trimmed().toLower();
    if (name == "gbk" || name == "gb2312" || name == "gb_2312-80" || name == "x-gbk" ||
        name == "cp936" || name == "euc-cn" || name == "csgb2312" || name == "chinese")
        return "GB18030";
    // Browsers read Latin-1 and ASCII pages as windows-1252, whose 0x80-0x9F
    // hold the quotes and dashes that Windows writers put there.
    if (name == "iso-8859-1" || name == "latin1" || name == "us-ascii" || name == "ascii" ||
        name == "l1" || name == "iso8859-1")
        return "windows-1252";
    if (name == "utf8")
        return "UTF-8";
    return name;
}

std::optional<QString> decodeAs(const QByteArray& name, QByteArrayView bytes) {
    if (name.isEmpty())
        return std::nullopt;
    const QByteArray converter = converterName(name);
    if (converter == "utf-8" || converter == "UTF-8")
        return QString::fromUtf8(bytes);
    if (converter == "GB18030")
        return TextCodec::decode(bytes);
    QStringDecoder decoder(converter.constData());
    if (!decoder.isValid())
        return std::nullopt;
    return decoder.decode(bytes);
}

} // namespace

namespace HtmlCharset {

QByteArray metaCharset(QByteArrayView head) {
    const QByteArray text = head.toByteArray().toLower();
    for (qsizetype at = text.indexOf("<meta"); at >= 0; at = text.indexOf("<meta", at + 5)) {
        const qsizetype end = text.indexOf('>', at);
        const QByteArrayView tag =
            QByteArrayView(text).sliced(at, (end < 0 ? text.size() : end) - at);
        // <meta charset="gbk"> and <meta http-equiv="Content-Type"
        // content="text/html; charset=gbk"> alike.
        const qsizetype key = tag.indexOf("charset");
        if (key < 0)
            continue;
        qsizetype i = key + 7;
        const auto skipSpaces = [&] {
            while (i < tag.size() && (tag[i] == ' ' || tag[i] == '\t' || tag[i] == '\n' ||
                                      tag[i] == '\r' || tag[i] == '\f'))
                ++i;
        };
        skipSpaces();
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        skipSpaces();
        if (i < tag.size() && (tag[i] == '"' || tag[i] == '\''))
            ++i;
        const qsizetype from = i;
        while (i < tag.size() && isNameChar(tag[i]))
            ++i;
        if (i > from)
            return tag.sliced(from, i - from).toByteArray();
    }
    return {};
}

QString decode(QByteArrayView bytes, QByteArrayView declared) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        return utf16.decode(bytes.sliced(2));
    }
    if (!declared.isEmpty()) {
        if (auto text = decodeAs(declared.toByteArray(), bytes))
            return *text;
    }
    QByteArray named = metaCharset(bytes.first(std::min(bytes.size(), kMetaHead)));
    // A page whose bytes are read to find its <meta> is in an encoding that
    // writes ASCII as ASCII: a UTF-16 it names cannot be its own.
    if (named.startsWith("utf-16"))
        named = "utf-8";
    if (auto text = decodeAs(named, bytes))
        return *text;
    const qsizetype head = std::min(bytes.size(), FileContentSearch::kEncodingHead);
    if (TextCodec::readsAsUtf8(bytes.first(head), head < bytes.size()))
        return QString::fromUtf8(bytes);
    return TextCodec::decode(bytes);
}

} // namespace HtmlCharset
