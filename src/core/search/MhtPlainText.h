#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The text of a page saved as a web archive (.mht, .mhtml): a MIME message,
// usually multipart/related, whose root part is the page's HTML and whose
// other parts are its pictures and styles.
namespace MhtPlainText {

// The page's text as HtmlPlainText gives it, the part's transfer encoding
// undone and its charset taken from the part's header; std::nullopt when
// the bytes are no MIME message with an HTML part.
std::optional<QString> read(QByteArrayView mht);

} // namespace MhtPlainText
