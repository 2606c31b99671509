#pragma once

#include <QByteArray>
#include <QString>

// Writes a file whole or not at all: the bytes go to a temporary file beside
// it, which takes the file's name only when every byte reached the disk. A
// full disk or a vanished folder leaves the old file as it was.
namespace SafeFileWriter {

// False with the system's reason in errorText when the file was not replaced.
bool write(const QString& path, const QByteArray& bytes, QString* errorText = nullptr);

// Makes a file that is not there yet, whole or not at all. A file of that
// name already there, even one that appeared during the write, is never
// replaced: that is a failure like any other.
bool create(const QString& path, const QByteArray& bytes, QString* errorText = nullptr);

} // namespace SafeFileWriter
