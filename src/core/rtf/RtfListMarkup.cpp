#include "RtfListMarkup.h"

#include "RtfCharsetEncoder.h"
#include "RtfFontList.h"

#include <QTextListFormat>

namespace RtfListMarkup {

namespace {

int symbolFont(RtfFontList& fonts) {
    return fonts.index(QStringLiteral("Symbol"), RtfCharsetEncoder::kSymbol);
}

int wingdingsFont(RtfFontList& fonts) {
    return fonts.index(QStringLiteral("Wingdings"), RtfCharsetEncoder::kSymbol);
}

QByteArray number(int value) {
    return QByteArray::number(value);
}

const char* numbering(int style) {
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
        return "\\pnlcltr";
    case QTextListFormat::ListUpperAlpha:
        return "\\pnucltr";
    case QTextListFormat::ListLowerRoman:
        return "\\pnlcrm";
    case QTextListFormat::ListUpperRoman:
        return "\\pnucrm";
    default:
        return "\\pndec";
    }
}

} // namespace

QByteArray marker(int style, const QString& itemText, RtfFontList& fonts) {
    switch (style) {
    case QTextListFormat::ListDisc:
        return "{\\pntext\\f" + number(symbolFont(fonts)) + "\\'B7\\tab}";
    case QTextListFormat::ListSquare:
        return "{\\pntext\\f" + number(wingdingsFont(fonts)) + "\\'A7\\tab}";
    case QTextListFormat::ListCircle:
        return "{\\pntext\\f0 o\\tab}";
    default:
        return "{\\pntext\\f0 " + itemText.toLatin1() + "\\tab}";
    }
}

QByteArray definition(int style, RtfFontList& fonts) {
    switch (style) {
    case QTextListFormat::ListCircle:
        return "{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb o}}";
    case QTextListFormat::ListSquare:
        return "{\\*\\pn\\pnlvlblt\\pnf" + number(wingdingsFont(fonts)) +
               "\\pnindent0{\\pntxtb\\'A7}}";
    case QTextListFormat::ListDisc:
        return "{\\*\\pn\\pnlvlblt\\pnf" + number(symbolFont(fonts)) +
               "\\pnindent0{\\pntxtb\\'B7}}";
    default:
        return QByteArray("{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1") + numbering(style) +
               "{\\pntxta.}}";
    }
}

} // namespace RtfListMarkup
