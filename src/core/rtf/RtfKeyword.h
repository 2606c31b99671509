#pragma once

#include <QByteArrayView>

// The control words the reader acts on. Words not listed are ignored, as the
// format asks of readers that meet words they do not know.
enum class RtfKeyword {
    Unknown,
    // character set and unicode
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    Uc,
    U,
    // destinations read
    FontTable,
    ColorTable,
    ListMarker,
    ListDefinition,
    FieldInstruction,
    FieldResult,
    ShapePicture, // \shppict: holds the \pict readers should use
    Picture,
    DocumentInfo, // \info: kept as it was read
    KeptGroup,    // content the editor cannot show, kept as it was read
    // destinations whose content is skipped
    SkipDestination,
    // tables
    F,
    FCharset,
    Cpg,
    Red,
    Green,
    Blue,
    // character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    ForeColor,
    BackColor,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Dn,
    Hidden,
    NonAsianFontClass, // \loch, \hich, \rtlch: the associated words are not for Asian text
    AsianFontClass,    // \dbch: they are
    AssocBold,
    AssocItalic,
    AssocFontSize,
    // paragraph formatting
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    ListOverride,
    ListLevel,
    PnBullet,
    PnBody,
    PnLevel,
    PnContinue,
    PnDecimal,
    PnLowerAlpha,
    PnUpperAlpha,
    PnLowerRoman,
    PnUpperRoman,
    // pictures
    PngBlip,
    JpegBlip,
    PicScaleX,
    PicScaleY,
    PicWidthGoal,
    PicHeightGoal,
    // tables
    InTable,
    TableDepth,
    RowDefaults,
    RowLeft,
    CellBoundary,
    MergedCell,
    Cell,
    Row,
    NestedCell,
    NestedRow,
    NestedTableProps,
    // breaks, and words that stand for one character (\tab, \emdash …)
    Par,
    Character,
};

namespace RtfKeywords {

struct Match {
    RtfKeyword keyword = RtfKeyword::Unknown;
    char16_t character = 0; // for RtfKeyword::Character
};

Match lookup(QByteArrayView word);

// Destinations the reader reads even after \*, which otherwise marks a
// group that readers who do not know it skip.
bool isReadDestination(RtfKeyword keyword);

} // namespace RtfKeywords
