#include "ConfigFileWriter.h"

#include "CFolderTool.h"
#include "SafeFileWriter.h"
#include "TextCodec.h"

#include <QFileInfo>

QByteArray ConfigFileWriter::Encode(const QString& text) {
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const QByteArray gb18030 = TextCodec::encode(crlf);
    // The reader takes a file that reads plausibly as UTF-8 for one an editor
    // saved so. A text made only of such characters (谢谢 is the bytes of
    // "лл") would come back changed; it goes out as UTF-8 with a byte-order
    // mark instead, which every reader takes as UTF-8.
    if (TextCodec::isAscii(gb18030) || !TextCodec::readsAsUtf8(gb18030))
        return gb18030;
    return QByteArray("\xEF\xBB\xBF") + crlf.toUtf8();
}

ConfigFileWriter::Result ConfigFileWriter::Write(const QString& path, const QString& text) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!CFolderTool::IsDirectory(folder) && !CFolderTool::CreatePath(folder))
        return Result::FolderNotMade;

    return SafeFileWriter::write(path, Encode(text)) ? Result::Written : Result::FileNotWritten;
}
