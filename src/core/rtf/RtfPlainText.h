#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The text of an RTF document as the editor shows it, read without building
// a document, so that a search can read it on any thread and in the
// command-line program. Paragraphs and table cells are lines in the order
// of the editor's blocks: line N is the editor's block N - 1. Pictures,
// objects, headers and footnotes, hidden text, field instructions and list
// markers are not text there and are not here; a field's result is.
namespace RtfPlainText {

// Lines separated by '\n'; std::nullopt when the bytes are not RTF.
std::optional<QString> read(QByteArrayView rtf);

} // namespace RtfPlainText
