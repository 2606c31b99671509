#pragma once

#include "WindowLayout.h"

#include <QList>
#include <QString>
#include <optional>

// The window's arrangement between runs: an XML file with the root
// "Settings" and the sections "TaskPanel", "NormalLayout" and
// "FullScreenLayout". It is replaced whole, so a second window or a crash
// never leaves half a layout behind.
namespace LayoutFile {

struct Contents {
    std::optional<QList<TaskGroup>> taskPanel;
    std::optional<WindowLayout> normal;
    std::optional<WindowLayout> fullScreen;
    bool operator==(const Contents&) const = default;
};

// Nothing when the file is missing, unreadable, not XML or has no
// "Settings" root. A section that is malformed inside comes back empty.
std::optional<Contents> read(const QString& path);
std::optional<Contents> parse(const QByteArray& bytes);

QByteArray format(const Contents& contents);
// False when the file could not be replaced; the old one is then intact.
bool write(const QString& path, const Contents& contents, QString* errorText = nullptr);

} // namespace LayoutFile
