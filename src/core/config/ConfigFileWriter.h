#pragma once

#include <QString>

// The one way the settings files are written: the whole text at once, CR LF
// line ends, GB18030 without a byte-order mark, as the files have always been
// (but for a text that GB18030 bytes would not bring back, see Encode).
// The file is replaced through SafeFileWriter, so a failure at any point
// leaves the old file whole.
class ConfigFileWriter {
public:
    enum class Result {
        Written,
        FolderNotMade,  // the target's folder was missing and could not be made
        FileNotWritten, // the folder is there but the file could not be replaced
    };

    // `text` has "\n" line ends.
    static Result Write(const QString& path, const QString& text);

    // The bytes Write puts on disk for `text`.
    static QByteArray Encode(const QString& text);
};
