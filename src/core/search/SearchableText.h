#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The text the file search matches in a file. For most files that is the
// file's own text; in a rich-text note or a saved web page it is the text a
// reader sees, so that a word is found however the format stores it (RTF
// writes Chinese as \u escapes or code-page bytes, a page as character
// references) and a matching line shows text rather than markup.
namespace SearchableText {

// True for the file names searched as documents: *.rtf, *.htm, *.html,
// *.mht, *.mhtml (any case).
bool IsDocument(QStringView fileName);

// The text the file search matches in the file at path, lines separated by
// '\n'. For a document, when documentText is true: the text a reader sees
// (RtfPlainText, HtmlPlainText, MhtPlainText); a document that is not in
// its format is read as a plain file. Otherwise: the file's bytes up to the
// first zero byte, decoded as FileContentSearch decodes them (UTF-8 when the
// first 64 KB are well-formed UTF-8, else GB18030). std::nullopt when the
// file cannot be opened or read, or is not a regular file.
std::optional<QString> Read(const QString& path, bool documentText);

} // namespace SearchableText
