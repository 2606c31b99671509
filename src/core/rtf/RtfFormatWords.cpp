#include "RtfFormatWords.h"

#include <algorithm>

namespace RtfFormatWords {

namespace {

using K = RtfKeyword;

// 22 inches, the largest page Word offers; keeps garbage lengths drawable.
int twips(int value) {
    return std::clamp(value, -31680, 31680);
}

bool switchedOn(const RtfTokenizer::Token& token) {
    return !token.hasParam || token.param != 0;
}

} // namespace

bool applyCharacterWord(RtfKeyword keyword, const RtfTokenizer::Token& token, RtfCharProps& c) {
    switch (keyword) {
    case K::Plain: {
        // A link is the field's, not a character format \plain resets.
        const int link = c.link;
        c = RtfCharProps();
        c.link = link;
        return true;
    }
    case K::Bold:
        c.bold = switchedOn(token);
        return true;
    case K::Italic:
        c.italic = switchedOn(token);
        return true;
    case K::Underline:
        c.underline = switchedOn(token);
        return true;
    case K::UnderlineNone:
        c.underline = false;
        return true;
    case K::Strike:
        c.strike = switchedOn(token);
        return true;
    case K::Hidden:
        c.hidden = switchedOn(token);
        return true;
    case K::NonAsianFontClass:
        c.asianAssociated = false;
        return true;
    case K::AsianFontClass:
        c.asianAssociated = true;
        return true;
    case K::AssocBold:
        if (c.asianAssociated)
            c.asianBold = switchedOn(token);
        return true;
    case K::AssocItalic:
        if (c.asianAssociated)
            c.asianItalic = switchedOn(token);
        return true;
    case K::AssocFontSize:
        if (c.asianAssociated)
            c.asianHalfPoints = token.param > 0 ? std::min(token.param, 3276) : 24;
        return true;
    case K::FontSize:
        c.halfPoints = token.param > 0 ? std::min(token.param, 3276) : 24;
        return true;
    case K::ForeColor:
        c.foreground = token.param;
        return true;
    case K::BackColor:
        c.background = token.param;
        return true;
    case K::Super:
        c.vertical = 1;
        return true;
    case K::Sub:
        c.vertical = -1;
        return true;
    case K::NoSuperSub:
        c.vertical = 0;
        return true;
    case K::Up:
        c.vertical = (!token.hasParam || token.param > 0) ? 1 : 0;
        return true;
    case K::Dn:
        c.vertical = (!token.hasParam || token.param > 0) ? -1 : 0;
        return true;
    default:
        return false;
    }
}

bool applyParagraphWord(RtfKeyword keyword, const RtfTokenizer::Token& token, RtfParaProps& p) {
    const auto numbering = [&p](QTextListFormat::Style style) {
        p.listStyle = style;
        p.listStyleExplicit = true;
    };
    switch (keyword) {
    case K::Pard:
        p = RtfParaProps();
        return true;
    case K::AlignLeft:
        p.align = RtfParaProps::Align::Left;
        return true;
    case K::AlignCenter:
        p.align = RtfParaProps::Align::Center;
        return true;
    case K::AlignRight:
        p.align = RtfParaProps::Align::Right;
        return true;
    case K::AlignJustify:
        p.align = RtfParaProps::Align::Justify;
        return true;
    case K::LeftIndent:
        p.leftIndent = twips(token.param);
        return true;
    case K::RightIndent:
        p.rightIndent = twips(token.param);
        return true;
    case K::FirstIndent:
        p.firstIndent = twips(token.param);
        return true;
    case K::SpaceBefore:
        p.spaceBefore = std::max(0, twips(token.param));
        return true;
    case K::SpaceAfter:
        p.spaceAfter = std::max(0, twips(token.param));
        return true;
    case K::LineSpacing:
        p.lineSpacing = twips(token.param);
        return true;
    case K::LineMultiple:
        p.lineMultiple = switchedOn(token);
        return true;
    case K::ListOverride:
        if (token.param > 0 && p.listStyle == QTextListFormat::ListStyleUndefined)
            p.listStyle = QTextListFormat::ListDisc;
        return true;
    case K::ListLevel:
        p.listLevel = std::clamp(token.param, 0, 8);
        return true;
    case K::InTable:
        p.inTable = true;
        return true;
    case K::PnBullet:
        p.listStyle = QTextListFormat::ListDisc;
        p.listStyleExplicit = false; // the marker tells disc, circle or square
        return true;
    case K::PnBody:
        if (!p.listStyleExplicit)
            numbering(QTextListFormat::ListDecimal);
        return true;
    case K::PnLevel:
        p.listLevel = std::clamp(token.param - 1, 0, 8);
        if (!p.listStyleExplicit)
            numbering(QTextListFormat::ListDecimal);
        return true;
    case K::PnContinue:
        p.listStyle = QTextListFormat::ListStyleUndefined;
        p.listStyleExplicit = false;
        return true;
    case K::PnDecimal:
        numbering(QTextListFormat::ListDecimal);
        return true;
    case K::PnLowerAlpha:
        numbering(QTextListFormat::ListLowerAlpha);
        return true;
    case K::PnUpperAlpha:
        numbering(QTextListFormat::ListUpperAlpha);
        return true;
    case K::PnLowerRoman:
        numbering(QTextListFormat::ListLowerRoman);
        return true;
    case K::PnUpperRoman:
        numbering(QTextListFormat::ListUpperRoman);
        return true;
    default:
        return false;
    }
}

} // namespace RtfFormatWords
