#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtCore/qnamespace.h>
#include <optional>

// What the address box opens when the user presses Enter in it, and which of
// its entries it shows afterwards. Kept apart from the window so that the
// rules about typed text can be checked without a browser.
namespace AddressRules {

// The page to open and the text the address box shows meanwhile.
struct Opening {
    QString target;
    QString shown;
};

// Enter in the address box. A single word (no ":" and no ".") typed without
// Ctrl or Shift is looked up through the keyword service at `keywordHost`;
// with no service set, or with Ctrl or Shift held, it is opened as a host.
// A text without a colon gets "http://" in front; one whose first colon comes
// after the second character has its backslashes turned into slashes, while
// a drive letter's colon keeps them. A text that starts with "/" is a local
// path and opens as it is. Nothing for a blank text.
std::optional<Opening> enter(const QString& typed, Qt::KeyboardModifiers modifiers,
                             const QString& keywordHost);

// The keyword service's address for a word; empty when `host` is empty or is
// not a host (with an optional port).
QString keywordLookup(const QString& host, const QString& word);

// The address as the browser loads it: a local path as a file, a bare host
// name as a web address.
QUrl urlOf(const QString& address);

// The entry of the box's list that shows the same address, also when the two
// differ only by a final "/"; -1 for none.
int findTyped(const QStringList& entries, const QString& shown);

} // namespace AddressRules
