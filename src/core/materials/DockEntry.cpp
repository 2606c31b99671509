#include "DockEntry.h"

#include "config/ConfigFileReader.h"

namespace {

const QString kMark = QStringLiteral("0");

QString fileText(QString text) {
    for (QChar& c : text) {
        if (c == QLatin1Char('|') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

QStringList DockEntry::Fields() const {
    const MaterialRecord& m = Material;
    return {m.MinuItemID,       m.MinuItemName,
            m.DisplayPath,      m.ItemID,
            m.DescribeFileType, m.MinuItemDescribeFilename,
            m.MinuItemFilePath, m.CreateTime,
            m.Creator,          kMark,
            m.KnowledgeBaseID,  DockTime,
            m.FilesRoot};
}

DockEntry DockEntry::FromFields(const QStringList& f) {
    auto at = [&f](int i) { return i < f.size() ? f.at(i) : QString(); };
    DockEntry entry;
    entry.Material = {at(0), at(1), at(2), at(3), at(4),  at(5),
                      at(6), at(7), at(8), kMark, at(10), at(12)};
    entry.DockTime = at(11);
    return entry;
}

QString DockEntry::FileValue() const {
    QString value;
    for (const QString& field : Fields())
        value += fileText(field) + QLatin1Char('|');
    return value;
}

DockEntry DockEntry::FromFileValue(QStringView value) {
    QStringList fields;
    for (int i = 0; i < kFieldCount; ++i)
        fields.append(ConfigFileReader::Field(value, i));
    return FromFields(fields);
}
