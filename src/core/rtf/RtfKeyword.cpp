#include "RtfKeyword.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace RtfKeywords {

namespace {

using K = RtfKeyword;

struct Entry {
    std::string_view word;
    RtfKeyword keyword;
    char16_t character = 0;
};

// Sorted by word (checked at compile time below) for a binary search.
constexpr std::array kEntries = std::to_array<Entry>({
    {"ab", K::AssocBold},
    {"afs", K::AssocFontSize},
    {"aftncn", K::SkipDestination},
    {"aftnsep", K::SkipDestination},
    {"aftnsepc", K::SkipDestination},
    {"ai", K::AssocItalic},
    {"annotation", K::KeptGroup},
    {"ansi", K::Ansi},
    {"ansicpg", K::AnsiCpg},
    {"atnauthor", K::SkipDestination},
    {"atnid", K::SkipDestination},
    {"author", K::SkipDestination},
    {"b", K::Bold},
    {"bkmkend", K::KeptGroup},
    {"bkmkstart", K::KeptGroup},
    {"blue", K::Blue},
    {"bullet", K::Character, 0x2022},
    {"cb", K::BackColor},
    {"cell", K::Cell},
    {"cellx", K::CellBoundary},
    {"cf", K::ForeColor},
    {"chcbpat", K::BackColor},
    {"clmgf", K::MergedCell},
    {"clmrg", K::MergedCell},
    {"clvmgf", K::MergedCell},
    {"clvmrg", K::MergedCell},
    {"colortbl", K::ColorTable},
    {"comment", K::SkipDestination},
    {"cpg", K::Cpg},
    {"dbch", K::AsianFontClass},
    {"deff", K::Deff},
    {"dn", K::Dn},
    {"do", K::KeptGroup},
    {"emdash", K::Character, 0x2014},
    {"emspace", K::Character, 0x2003},
    {"endash", K::Character, 0x2013},
    {"enspace", K::Character, 0x2002},
    {"f", K::F},
    {"fcharset", K::FCharset},
    {"fi", K::FirstIndent},
    {"fldinst", K::FieldInstruction},
    {"fldrslt", K::FieldResult},
    {"fonttbl", K::FontTable},
    {"footer", K::KeptGroup},
    {"footerf", K::KeptGroup},
    {"footerl", K::KeptGroup},
    {"footerr", K::KeptGroup},
    {"footnote", K::KeptGroup},
    {"fs", K::FontSize},
    {"ftncn", K::SkipDestination},
    {"ftnsep", K::SkipDestination},
    {"ftnsepc", K::SkipDestination},
    {"green", K::Green},
    {"header", K::KeptGroup},
    {"headerf", K::KeptGroup},
    {"headerl", K::KeptGroup},
    {"headerr", K::KeptGroup},
    {"hich", K::NonAsianFontClass},
    {"highlight", K::BackColor},
    {"i", K::Italic},
    {"ilvl", K::ListLevel},
    {"info", K::DocumentInfo},
    {"intbl", K::InTable},
    {"itap", K::TableDepth},
    {"jpegblip", K::JpegBlip},
    {"ldblquote", K::Character, 0x201C},
    {"li", K::LeftIndent},
    {"lin", K::LeftIndent},
    {"line", K::Character, 0x2028},
    {"listoverridetable", K::SkipDestination},
    {"listtable", K::SkipDestination},
    {"listtext", K::ListMarker},
    {"loch", K::NonAsianFontClass},
    {"lquote", K::Character, 0x2018},
    {"ls", K::ListOverride},
    {"ltrmark", K::Character, 0x200E},
    {"mac", K::Mac},
    {"nestcell", K::NestedCell},
    {"nestrow", K::NestedRow},
    {"nesttableprops", K::NestedTableProps},
    {"nonesttables", K::SkipDestination},
    {"nonshppict", K::SkipDestination},
    {"nosupersub", K::NoSuperSub},
    {"object", K::KeptGroup},
    {"page", K::Par},
    {"par", K::Par},
    {"pard", K::Pard},
    {"pc", K::Pc},
    {"pca", K::Pca},
    {"pichgoal", K::PicHeightGoal},
    {"picscalex", K::PicScaleX},
    {"picscaley", K::PicScaleY},
    {"pict", K::Picture},
    {"picwgoal", K::PicWidthGoal},
    {"plain", K::Plain},
    {"pn", K::ListDefinition},
    {"pndec", K::PnDecimal},
    {"pngblip", K::PngBlip},
    {"pnlcltr", K::PnLowerAlpha},
    {"pnlcrm", K::PnLowerRoman},
    {"pnlvl", K::PnLevel},
    {"pnlvlblt", K::PnBullet},
    {"pnlvlbody", K::PnBody},
    {"pnlvlcont", K::PnContinue},
    {"pntext", K::ListMarker},
    {"pntxta", K::SkipDestination},
    {"pntxtb", K::SkipDestination},
    {"pnucltr", K::PnUpperAlpha},
    {"pnucrm", K::PnUpperRoman},
    {"private", K::SkipDestination},
    {"qc", K::AlignCenter},
    {"qd", K::AlignJustify},
    {"qj", K::AlignJustify},
    {"ql", K::AlignLeft},
    {"qmspace", K::Character, 0x2005},
    {"qr", K::AlignRight},
    {"rdblquote", K::Character, 0x201D},
    {"red", K::Red},
    {"ri", K::RightIndent},
    {"rin", K::RightIndent},
    {"row", K::Row},
    {"rquote", K::Character, 0x2019},
    {"rtlch", K::NonAsianFontClass},
    {"rtlmark", K::Character, 0x200F},
    {"sa", K::SpaceAfter},
    {"sb", K::SpaceBefore},
    {"sect", K::Par},
    {"shp", K::KeptGroup},
    {"shppict", K::ShapePicture},
    {"sl", K::LineSpacing},
    {"slmult", K::LineMultiple},
    {"strike", K::Strike},
    {"striked", K::Strike},
    {"stylesheet", K::SkipDestination},
    {"sub", K::Sub},
    {"super", K::Super},
    {"tab", K::Character, u'\t'},
    {"tc", K::KeptGroup},
    {"template", K::SkipDestination},
    {"title", K::SkipDestination},
    {"trleft", K::RowLeft},
    {"trowd", K::RowDefaults},
    {"txe", K::SkipDestination},
    {"u", K::U},
    {"uc", K::Uc},
    {"ul", K::Underline},
    {"uld", K::Underline},
    {"uldash", K::Underline},
    {"uldashd", K::Underline},
    {"uldashdd", K::Underline},
    {"uldb", K::Underline},
    {"ulhwave", K::Underline},
    {"ulldash", K::Underline},
    {"ulnone", K::UnderlineNone},
    {"ulth", K::Underline},
    {"ulthd", K::Underline},
    {"ulthdash", K::Underline},
    {"ulthdashd", K::Underline},
    {"ulthdashdd", K::Underline},
    {"ulthldash", K::Underline},
    {"ululdbwave", K::Underline},
    {"ulw", K::Underline},
    {"ulwave", K::Underline},
    {"up", K::Up},
    {"v", K::Hidden},
    {"xe", K::KeptGroup},
    {"zwj", K::Character, 0x200D},
    {"zwnj", K::Character, 0x200C},
});

static_assert(std::is_sorted(kEntries.begin(), kEntries.end(),
                             [](const Entry& a, const Entry& b) { return a.word < b.word; }));

} // namespace

bool isReadDestination(RtfKeyword keyword) {
    switch (keyword) {
    case RtfKeyword::FontTable:
    case RtfKeyword::ColorTable:
    case RtfKeyword::ListMarker:
    case RtfKeyword::ListDefinition:
    case RtfKeyword::FieldInstruction:
    // A field's result is the text readers show, even where the writer
    // (AbiWord) marked it with \* as if it could be skipped.
    case RtfKeyword::FieldResult:
    case RtfKeyword::ShapePicture:
    case RtfKeyword::Picture:
    case RtfKeyword::DocumentInfo:
    case RtfKeyword::KeptGroup:
    case RtfKeyword::NestedTableProps:
        return true;
    default:
        return false;
    }
}

Match lookup(QByteArrayView word) {
    const std::string_view key(word.data(), static_cast<size_t>(word.size()));
    const auto it = std::lower_bound(kEntries.begin(), kEntries.end(), key,
                                     [](const Entry& e, std::string_view k) { return e.word < k; });
    if (it != kEntries.end() && it->word == key)
        return {it->keyword, it->character};
    return {};
}

} // namespace RtfKeywords
