#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The web pages kept in a material's folder, as the web preview pages through
// them: by name without extension, so that a page saved as a web archive and
// again as a page is one entry, not two that show the same file.
namespace MaterialPages {

// The names of the .htm, .html and .mht files in the folder (not of folders,
// nor of hidden files), once each, in the order of their UTF-16 code units.
// The extension is matched in any case, as the pages came from Windows.
QStringList names(const QString& folder);

// The file a name stands for: name.htm when there is one, else name.mht,
// else name.html; nothing when the page has gone since it was listed.
std::optional<QString> resolve(const QString& folder, const QString& name);

} // namespace MaterialPages
