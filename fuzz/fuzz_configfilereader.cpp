// The settings dialect reader on any bytes. Besides not crashing: reading a
// file and reading the same bytes from memory agree, the text survives being
// encoded again, and every value of every section reads back the same once
// the program's writer has written it out.

#include "FuzzSupport.h"
#include "config/ConfigFileReader.h"
#include "config/ConfigFileWriter.h"
#include "config/TextCodec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// Enough names to reach every branch without making an input's checks cost
// sections × keys × lines.
constexpr qsizetype kMaxSections = 16;
constexpr qsizetype kMaxKeys = 32;

struct Names {
    QStringList sections; // in order of first appearance, each once
    QStringList keys;
    bool emptySection = false; // "[]" seen, whether or not it made the list
};

// The section and key names the lines mention, by the dialect's rules: a
// section line starts with "[" and names the text up to the first "]"; a key
// is the text before the first "=" of any other line.
Names namesIn(const QStringList& lines) {
    Names names;
    for (const QString& line : lines) {
        const QStringView text = QStringView(line).trimmed();
        if (text.startsWith(QLatin1Char('['))) {
            const qsizetype close = text.indexOf(QLatin1Char(']'));
            if (close < 0)
                continue;
            const QString name = text.mid(1, close - 1).trimmed().toString();
            names.emptySection = names.emptySection || name.isEmpty();
            if (!names.sections.contains(name) && names.sections.size() < kMaxSections)
                names.sections.append(name);
            continue;
        }
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        const QString key = text.first(std::max<qsizetype>(equals, 0)).trimmed().toString();
        if (equals >= 0 && !names.keys.contains(key) && names.keys.size() < kMaxKeys)
            names.keys.append(key);
    }
    return names;
}

QStringList valuesOf(const ConfigFileReader& reader, const QString& section, const QString& key) {
    QStringList values;
    reader.GetValues(section, key, values);
    return values;
}

// The values of the named sections written as a settings file, with "\n"
// line ends as the writer takes them.
QString rewritten(const ConfigFileReader& reader, const Names& names) {
    QString text;
    for (const QString& section : names.sections) {
        text += QLatin1Char('[') + section + QLatin1String("]\n");
        for (const QString& key : names.keys) {
            for (const QString& value : valuesOf(reader, section, key))
                text += key + QLatin1Char('=') + value + QLatin1Char('\n');
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));

    ConfigFileReader fromMemory;
    fromMemory.LoadBytes(bytes);
    ConfigFileReader fromFile;
    fromFile.Load(Fuzz::writeScratch(QStringLiteral("settings.ini"), bytes));
    FUZZ_EXPECT_EQUAL(fromFile.lines(), fromMemory.lines());

    for (const QString& line : fromMemory.lines())
        FUZZ_EXPECT(!line.contains(QLatin1Char('\n')));

    const QString decoded = TextCodec::decode(bytes);
    FUZZ_EXPECT_EQUAL(TextCodec::decode(TextCodec::encode(decoded)), decoded);

    const Names names = namesIn(fromMemory.lines());
    ConfigFileReader again;
    again.LoadBytes(ConfigFileWriter::Encode(rewritten(fromMemory, names)));
    // The empty name is asked for too: a line without "]" must not open a
    // section of that name.
    QStringList sections = names.sections;
    if (!names.emptySection)
        sections.append(QString());
    for (const QString& section : sections) {
        for (const QString& key : names.keys)
            FUZZ_EXPECT_EQUAL(valuesOf(again, section, key), valuesOf(fromMemory, section, key));
    }
    return 0;
}
