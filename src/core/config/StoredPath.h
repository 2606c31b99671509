#pragma once

#include <QString>

// Settings written on Windows name folders with "\"; this build's paths use
// "/", so a stored path is read with its backslashes turned into slashes.
inline QString StoredPath(QString value) {
    value.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return value;
}
