#pragma once

#include <QByteArrayView>
#include <QString>

// Decodes the bytes of a web page as a browser picks their encoding.
namespace HtmlCharset {

// A byte-order mark decides first; then the charset the page comes with
// (declared, from a web archive's part header), else the one its <meta>
// names near the top; else UTF-8 when the bytes are well-formed UTF-8, and
// GB18030 when not, as for plain files. A charset the system cannot decode
// counts as none. GBK and GB2312 are read as GB18030, their superset.
QString decode(QByteArrayView bytes, QByteArrayView declared = {});

// The charset a <meta> tag in the head names, lower-case; empty for none.
QByteArray metaCharset(QByteArrayView head);

} // namespace HtmlCharset
