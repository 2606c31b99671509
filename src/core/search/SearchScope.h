#pragma once

#include <QString>

// The scope of a search as the search dialog shows it: the label of a
// category-picker entry, the item's name followed by its code in
// parentheses, and the code read back from such a label.
namespace SearchScope {

// "当前本地知识库(000000)"
QString WholeBaseLabel();
// "name(010100)"
QString Label(const QString& itemName, const QString& code);
// The six characters before the closing parenthesis at the end.
QString CodeOf(const QString& scopeText);

} // namespace SearchScope
