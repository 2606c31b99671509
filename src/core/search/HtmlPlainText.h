#pragma once

#include <QString>
#include <QStringView>

// The text of a web page as a browser shows it, for searching: tags,
// comments, scripts and styles dropped, character references decoded,
// white space collapsed within a line, and a line for each block (a
// paragraph, heading, list item, table row, <br>). Table cells of a row are
// parted by a tab. The page's title is its first line: the browser shows it
// as the name of the page.
namespace HtmlPlainText {

// Lines separated by '\n', without empty lines at the end.
QString fromHtml(QStringView html);

} // namespace HtmlPlainText
