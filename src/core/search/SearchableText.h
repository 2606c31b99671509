#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The text a file search matches in a file, as one string: what the content
// index stores for a file, so that the index and the search agree on what a
// file says.
namespace SearchableText {

// *.rtf, *.htm, *.html, *.mht, *.mhtml: files whose reader shows other text
// than their bytes.
bool IsDocument(QStringView fileName);

// The text the file search matches in the file, lines separated by '\n': for
// a document when documentText, the text a reader sees; otherwise the bytes
// up to the first zero byte decoded as FileContentSearch decodes them (UTF-8
// when the first 64 KB are well-formed UTF-8, TextCodec::readsAsUtf8, else
// GB18030). nullopt: unreadable.
std::optional<QString> Read(const QString& path, bool documentText);

} // namespace SearchableText
