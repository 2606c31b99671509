#include "SettingsFileUpdate.h"

#include "CFolderTool.h"
#include "ConfigFileWriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QThread>

SettingsFileUpdate::Result SettingsFileUpdate::Apply(const QString& path, const Change& change,
                                                     int waitMs) {
    // The lock file lies beside the target, so the folder must be there first.
    const QString folder = QFileInfo(path).absolutePath();
    if (!CFolderTool::IsDirectory(folder) && !CFolderTool::CreatePath(folder))
        return Result::FolderNotMade;

    QLockFile lock(LockPath(path));
    lock.setStaleLockTime(kStaleLockMs);
    // QLockFile's own wait doubles its pauses up to seconds, so a process
    // waiting beside busy writers could miss every free moment and give up;
    // short pauses of random length give each its turn.
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(0)) {
        // Only a lock held by someone else is worth a different message; a
        // lock file that cannot be made (a full disk, a read-only folder)
        // means the file cannot be written either.
        if (lock.error() != QLockFile::LockFailedError)
            return Result::FileNotWritten;
        if (waited.elapsed() >= waitMs)
            return Result::Busy;
        QThread::msleep(1 + QRandomGenerator::global()->bounded(10));
    }

    std::optional<QByteArray> current;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        current = file.readAll();
    file.close();

    const std::optional<QString> text = change(current);
    if (!text)
        return Result::Unchanged;
    switch (ConfigFileWriter::Write(path, *text)) {
    case ConfigFileWriter::Result::Written:
        return Result::Written;
    case ConfigFileWriter::Result::FolderNotMade:
        return Result::FolderNotMade;
    case ConfigFileWriter::Result::FileNotWritten:
        break;
    }
    return Result::FileNotWritten;
}

SettingsFileUpdate::Result SettingsFileUpdate::Replace(const QString& path, const QString& text) {
    return Apply(path, [&](const std::optional<QByteArray>&) { return std::optional(text); });
}

QString SettingsFileUpdate::BusyText(const QString& path) {
    return QStringLiteral("文件 '%1' 正被另一个程序修改，所做的更改没有保存,请稍后再试!").arg(path);
}

QString SettingsFileUpdate::NotWrittenText(const QString& path) {
    return QStringLiteral("无法写入文件 '%1'，所做的更改没有保存!").arg(path);
}
