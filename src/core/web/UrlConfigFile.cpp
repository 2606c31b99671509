#include "UrlConfigFile.h"

#include "config/ConfigFileReader.h"

namespace {

const QString kGroupSection = QStringLiteral("GROUPURL");
const QString kGroupKey = QStringLiteral("GroupUrl");
const QString kEntrySection = QStringLiteral("USERURL");
const QString kEntryKey = QStringLiteral("UserUrl");

UrlLists listsOf(const ConfigFileReader& reader) {
    UrlLists lists;
    QStringList values;
    reader.GetValues(kGroupSection, kGroupKey, values);
    for (const QString& v : std::as_const(values))
        lists.groups.append({ConfigFileReader::Field(v, 0), ConfigFileReader::Field(v, 1)});
    reader.GetValues(kEntrySection, kEntryKey, values);
    for (const QString& v : std::as_const(values)) {
        lists.entries.append({ConfigFileReader::Field(v, 0), ConfigFileReader::Field(v, 1),
                              ConfigFileReader::Field(v, 2), ConfigFileReader::Field(v, 3),
                              ConfigFileReader::Field(v, 4)});
    }
    return lists;
}

QString line(const QString& key, const QStringList& fields) {
    QString text = key + QLatin1Char('=');
    for (const QString& field : fields)
        text += UrlConfigFile::FieldText(field) + QLatin1Char('|');
    return text + QLatin1Char('\n');
}

} // namespace

namespace UrlConfigFile {

UrlLists Load(const QString& path) {
    ConfigFileReader reader;
    reader.Load(path);
    return listsOf(reader);
}

UrlLists FromBytes(QByteArrayView bytes) {
    ConfigFileReader reader;
    reader.LoadBytes(bytes);
    return listsOf(reader);
}

QString Text(const UrlLists& lists) {
    QString text = QLatin1Char('[') + kGroupSection + QLatin1String("]\n");
    for (const UrlGroup& g : lists.groups)
        text += line(kGroupKey, {g.ID, g.Name});
    text += QLatin1Char('[') + kEntrySection + QLatin1String("]\n");
    for (const UrlRecord& e : lists.entries)
        text += line(kEntryKey, {e.ID, e.GroupID, e.TimeAdded, e.Title, e.Address});
    return text;
}

QString FieldText(QString text) {
    for (QChar& c : text) {
        if (c == QLatin1Char('|') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace UrlConfigFile
