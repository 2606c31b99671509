#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// Changes one settings file when other processes (a second window,
// keepsake-cli, a sync tool) may change it at the same time. Under a lock
// file beside it, the file is read as it is on disk now, the caller's change
// is applied to that, and the result replaces the file whole (temporary file
// and rename, as ConfigFileWriter does). So no process writes back a copy it
// read earlier over another's change.
class SettingsFileUpdate {
public:
    enum class Result {
        Written,
        Unchanged,      // the change asked for no write
        FolderNotMade,  // the file's folder was missing and could not be made
        FileNotWritten, // the file (or its lock file) could not be written
        Busy,           // another process held the lock for the whole wait
    };

    // The bytes on disk now (nullopt: no file), and what to write instead,
    // "\n" line ends; nullopt leaves the file as it is.
    using Change = std::function<std::optional<QString>(const std::optional<QByteArray>& current)>;

    // A writer holds the lock for milliseconds; a lock older than this
    // belongs to a process that hangs, and is taken over. The lock of a
    // process that died is taken over at once.
    static constexpr int kStaleLockMs = 20000;
    static constexpr int kWaitMs = 10000;

    static Result Apply(const QString& path, const Change& change, int waitMs = kWaitMs);
    // For a file whose whole content is decided here (a new base's ini file,
    // the first-run configuration): still under the lock, so that it never
    // lands in the middle of another process's change.
    static Result Replace(const QString& path, const QString& text);

    static QString LockPath(const QString& path) { return path + QLatin1String(".lock"); }

    // The messages for the failures every writer shares, naming the file.
    static QString BusyText(const QString& path);
    static QString NotWrittenText(const QString& path);
};
