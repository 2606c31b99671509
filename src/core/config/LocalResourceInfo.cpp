#include "LocalResourceInfo.h"

#include "ConfigFileReader.h"
#include "ResourceConfig.h"
#include "StoredPath.h"

namespace {

QString lastField0(const ConfigFileReader& reader, const QString& key) {
    QStringList values;
    reader.GetValues(QStringLiteral("LOCRESOURCESET"), key, values);
    return values.isEmpty() ? QString() : ConfigFileReader::Field(values.last(), 0);
}

} // namespace

LocalResourceInfo GetLocalResourceInfo(const ResourceConfigData& config, int id) {
    const LocalResourceRecord* record = config.base(id);
    if (!record)
        return {};
    const QString iniPath = StoredPath(record->IniPath);
    const qsizetype slash = iniPath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};

    ConfigFileReader reader;
    reader.Load(iniPath);
    LocalResourceInfo info;
    info.iniFolder = iniPath.left(slash + 1);
    // Trimmed as the loading of the configuration trims it, so the folder
    // opened is the folder listed.
    info.storageFolder =
        StoredPath(lastField0(reader, QStringLiteral("ResourceFilePath")).trimmed());
    info.name = lastField0(reader, QStringLiteral("ResourceName"));
    return info;
}
