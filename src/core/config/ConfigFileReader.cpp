#include "ConfigFileReader.h"

#include "TextCodec.h"

#include <QFile>

#include <optional>

namespace {

// The name of a section line ("[" already known to be first), or nothing for
// a line with no "]", which therefore names no section, not even "".
std::optional<QString> sectionName(QStringView line) {
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return line.mid(1, close - 1).trimmed().toString();
}

// The program writes GB18030, but a file saved by an editor or a sync tool may
// come back as UTF-8, with or without a byte-order mark. Read as GB18030 it
// would give no usable record, and the next save would write it back empty.
QString decodeSettings(QByteArrayView bytes) {
    static constexpr char kBom[] = "\xEF\xBB\xBF";
    if (bytes.startsWith(QByteArrayView(kBom, 3)))
        return QString::fromUtf8(bytes.sliced(3));
    if (!TextCodec::isAscii(bytes) && TextCodec::readsAsUtf8(bytes))
        return QString::fromUtf8(bytes);
    return TextCodec::decode(bytes);
}

} // namespace

void ConfigFileReader::Load(const QString& path) {
    m_fileName = path;
    m_lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    LoadBytes(file.readAll());
}

void ConfigFileReader::LoadBytes(QByteArrayView bytes) {
    m_lines.clear();
    // Old writers could leave a zero byte after the last line; the text ends
    // there, as it did for the original reader.
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes = bytes.first(zero);
    // Text after the last line feed is an unfinished line and is not read.
    const qsizetype lastFeed = bytes.lastIndexOf('\n');
    if (lastFeed < 0)
        return;
    const QString text = decodeSettings(bytes.first(lastFeed + 1));

    qsizetype start = 0;
    for (;;) {
        const qsizetype feed = text.indexOf(QLatin1Char('\n'), start);
        if (feed < 0)
            break;
        m_lines.append(text.mid(start, feed - start));
        start = feed + 1;
    }
}

void ConfigFileReader::GetValues(const QString& section, const QString& key,
                                 QStringList& values) const {
    values.clear();
    qsizetype i = 0;
    const qsizetype count = m_lines.size();
    for (; i < count; ++i) {
        const QStringView line = QStringView(m_lines.at(i)).trimmed();
        if (line.startsWith(QLatin1Char('[')) && sectionName(line) == section)
            break;
    }
    for (++i; i < count; ++i) {
        const QStringView line = QStringView(m_lines.at(i)).trimmed();
        // Only the first section of a name is read: the next section line
        // ends the walk, whatever its name.
        if (line.startsWith(QLatin1Char('[')))
            break;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        if (line.first(equals).trimmed() == key)
            values.append(line.mid(equals + 1).trimmed().toString());
    }
}

QString ConfigFileReader::Field(QStringView value, int i) {
    if (i < 0)
        return {};
    qsizetype start = 0;
    for (int n = 0; n < i; ++n) {
        const qsizetype bar = value.indexOf(QLatin1Char('|'), start);
        if (bar < 0)
            return {};
        start = bar + 1;
    }
    const qsizetype end = value.indexOf(QLatin1Char('|'), start);
    return value.mid(start, end < 0 ? -1 : end - start).toString();
}
