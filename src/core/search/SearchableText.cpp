#include "SearchableText.h"

#include "DocumentText.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The whole file, or std::nullopt. Only a regular file is read: a pipe or
// a device could block or never end, so it is opened without waiting.
std::optional<QByteArray> readFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        QByteArray data;
        data.reserve(qsizetype(st.st_size));
        char block[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, block, sizeof block);
            if (n > 0) {
                data.append(block, qsizetype(n));
            } else if (n == 0) {
                bytes = std::move(data);
                break;
            } else if (errno != EINTR) {
                break;
            }
        }
    }
    ::close(fd);
    return bytes;
}

} // namespace

namespace SearchableText {

bool IsDocument(QStringView fileName) {
    return DocumentText::formatOf(fileName).has_value();
}

std::optional<QString> Read(const QString& path, bool documentText) {
    const std::optional<QByteArray> bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    if (documentText) {
        if (const auto format = DocumentText::formatOf(QFileInfo(path).fileName())) {
            if (auto text = DocumentText::extract(*format, *bytes))
                return text;
        }
    }
    return DocumentText::plainText(*bytes);
}

} // namespace SearchableText
