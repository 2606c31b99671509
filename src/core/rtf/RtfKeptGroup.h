#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTextFormat>

#include <optional>

class QTextCharFormat;
class QTextDocument;

// A group the editor cannot show but must not lose: a metafile picture, an
// embedded object, a drawing, a field other than a link, a header, a footnote, a bookmark. It sits
// in the text as one object character whose format holds the group's raw RTF, drawn as a small
// labelled box, and the writer puts the bytes back as they were read.
namespace RtfKeptGroup {

enum class Kind { Picture, Object, Drawing, Field, Header, Footer, Footnote, Comment, Mark };

inline constexpr int kObjectType = QTextFormat::UserObject + 0x5254;
inline constexpr int kBytesProperty = QTextFormat::UserProperty + 0x5254;
inline constexpr int kKindProperty = QTextFormat::UserProperty + 0x5255;

// Groups of the document rather than its text (\info), kept as a
// QByteArrayList in this property of the QTextDocument.
inline constexpr char kDocumentGroupsProperty[] = "rtfDocumentGroups";

// The kind of group a destination word opens, when its content is kept.
std::optional<Kind> kindOfDestination(QByteArrayView word);

QTextCharFormat format(const QByteArray& rtf, Kind kind);
bool isKeptGroup(const QTextFormat& format);
QByteArray bytesOf(const QTextFormat& format);

// What the box in the text says; empty for marks, which take no room.
QString label(Kind kind);

// Lets the document's layout size and draw kept groups. Safe to call again.
// It makes the document's layout, so an editor calls it, not the reader: a
// document laid out while it is read is slow to read.
void showIn(QTextDocument* document);

} // namespace RtfKeptGroup
