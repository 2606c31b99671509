#pragma once

#include "config/ProgramPaths.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away program folder for one test. The shipped folders (default base,
// template database, help) come from the build's output folder, as they would
// for an installed program.
class TestHome {
public:
    TestHome();

    QString path(const QString& relative = {}) const { return m_dir.filePath(relative); }
    ProgramPaths paths() const;

    // Writes raw bytes to a file below the home, creating folders on the way.
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;

    static QString shippedFolder();

private:
    QTemporaryDir m_dir;
};

// Raw bytes of a file, or "<missing>" when it cannot be read.
QByteArray readBytes(const QString& path);
// Writes raw bytes to a file, creating folders on the way.
bool writeBytes(const QString& path, const QByteArray& bytes);
