#pragma once

#include <QByteArray>
#include <QString>

class RtfFontList;

// The two groups a list item is written with, in WordPad's shape. Bullets are
// the Symbol font's dot (Wingdings' square, a plain "o" for circles); the
// numbered kinds use Word 6's \pn words, which Word and WordPad still read.
namespace RtfListMarkup {

// {\pntext …}: what readers without list support show in place of the marker.
// style is a QTextListFormat::Style; itemText the item's number as shown.
QByteArray marker(int style, const QString& itemText, RtfFontList& fonts);

// {\*\pn …}: the kind of list the paragraph belongs to.
QByteArray definition(int style, RtfFontList& fonts);

} // namespace RtfListMarkup
