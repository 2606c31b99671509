#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file whole or not at all: the bytes go to a temporary file
// beside it, which is renamed over the file only when every byte reached the
// disk. A full disk or a vanished folder leaves the old file as it was.
namespace SafeFileWriter {

// False with the system's reason in errorText when the file was not replaced.
bool write(const QString& path, const QByteArray& bytes, QString* errorText = nullptr);

} // namespace SafeFileWriter
