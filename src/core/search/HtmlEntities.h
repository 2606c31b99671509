#pragma once

#include <QStringView>

// The named character references a page may write (&amp;, &nbsp;, &mdash; …).
namespace HtmlEntities {

// The character a name (without '&' and ';') stands for, 0 for none.
// Names are case-sensitive: &Eacute; is not &eacute;.
char16_t lookup(QStringView name);

} // namespace HtmlEntities
