#include "ResourceConfig.h"

#include "ConfigFileReader.h"
#include "LeadingInt.h"
#include "ProgramPaths.h"
#include "Prompter.h"
#include "SettingsFileUpdate.h"
#include "StoredPath.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

const QString kBaseSection = QStringLiteral("LOCRESOURCESET");
const char* const kMarkSection = "LOCALRESOURCEID";
const char* const kMarkKey = "MaxResourceID";

int intField(QStringView value, int i) {
    return LeadingInt(ConfigFileReader::Field(value, i));
}

QStringList valuesOf(const ConfigFileReader& reader, const char* section, const char* key) {
    QStringList values;
    reader.GetValues(QLatin1String(section), QLatin1String(key), values);
    return values;
}

// The first value of the key in the base's ini file that is not blank.
QString firstNonEmptyField0(const ConfigFileReader& reader, const QString& key) {
    QStringList values;
    reader.GetValues(kBaseSection, key, values);
    for (const QString& v : values) {
        if (!v.isEmpty())
            return ConfigFileReader::Field(v, 0);
    }
    return {};
}

// The base as its own ini file describes it now. A base whose file cannot
// tell is kept all the same, marked with the reason: dropping it would lose
// its line at the next save and hand its ID to the next new base.
LocalResourceRecord readBase(int id, const QString& iniPath) {
    LocalResourceRecord base;
    base.ID = id;
    base.IniPath = iniPath;
    QFile file(iniPath);
    if (!QFileInfo(iniPath).isFile()) {
        base.Unavailable = QStringLiteral("找不到文件 '%1'").arg(iniPath);
        return base;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        base.Unavailable = QStringLiteral("无法读取文件 '%1'").arg(iniPath);
        return base;
    }
    ConfigFileReader ini;
    ini.LoadBytes(file.readAll());
    base.ResourceName = firstNonEmptyField0(ini, QStringLiteral("ResourceName"));
    base.ResourceFilePath =
        StoredPath(firstNonEmptyField0(ini, QStringLiteral("ResourceFilePath")).trimmed());
    base.CreateTime = firstNonEmptyField0(ini, QStringLiteral("CreateTime"));
    if (base.ResourceName.isEmpty())
        base.Unavailable = QStringLiteral("文件 '%1' 中没有知识库名称").arg(iniPath);
    else if (base.ResourceFilePath.isEmpty())
        base.Unavailable = QStringLiteral("文件 '%1' 中没有知识库存放路径").arg(iniPath);
    return base;
}

void readBases(const ConfigFileReader& reader, ResourceConfigData& config) {
    for (const QString& value : valuesOf(reader, "LOCALRESOURCE", "LocalResourceInfo")) {
        if (value.isEmpty())
            continue;
        const int id = LeadingInt(ConfigFileReader::Field(value, 0).trimmed());
        const QString iniPath = StoredPath(ConfigFileReader::Field(value, 1).trimmed());
        // Even a record skipped below had its ID handed out once.
        config.HighestResourceID = std::max(config.HighestResourceID, id);
        if (id <= 0 || iniPath.size() <= 4 || !iniPath.endsWith(QLatin1String(".ini")))
            continue;
        config.LocalResources.append(readBase(id, iniPath));
    }
    // A section of its own, which readers that do not know it never look at.
    for (const QString& value : valuesOf(reader, kMarkSection, kMarkKey))
        config.HighestResourceID = std::max(config.HighestResourceID, intField(value, 0));
}

int highestListedId(const ResourceConfigData& config) {
    int highest = 0;
    for (const LocalResourceRecord& r : config.LocalResources)
        highest = std::max(highest, r.ID);
    return highest;
}

template <typename Record>
void readIdPairs(const ConfigFileReader& reader, const char* section, const char* key,
                 QList<Record>& list, bool skipEmpty) {
    for (const QString& value : valuesOf(reader, section, key)) {
        if (skipEmpty && value.isEmpty())
            continue;
        list.append(Record{intField(value, 0), intField(value, 1)});
    }
}

template <typename Record>
void readIdTexts(const ConfigFileReader& reader, const char* section, const char* key,
                 QList<Record>& list) {
    for (const QString& value : valuesOf(reader, section, key))
        list.append(Record{intField(value, 0), ConfigFileReader::Field(value, 1)});
}

void readSetting(const ConfigFileReader& reader, const char* key, int& setting) {
    for (const QString& value : valuesOf(reader, "UserSystemSet", key)) {
        if (!value.isEmpty())
            setting = intField(value, 0);
    }
}

// Keeps the first record of every id and every text; a record with id 0 goes
// unless it is the first. The list is left alone below `minimum` records.
// Every earlier record counts in the comparison, even one dropped itself.
template <typename Record, typename Id, typename Text>
void dropRepeats(QList<Record>& list, qsizetype minimum, Id id, Text text) {
    if (list.size() < minimum || list.isEmpty())
        return;
    QSet<int> ids{id(list.first())};
    QSet<QString> texts{text(list.first())};
    QList<Record> kept{list.first()};
    for (qsizetype i = 1; i < list.size(); ++i) {
        const Record& r = list.at(i);
        const bool repeat = id(r) == 0 || ids.contains(id(r)) || texts.contains(text(r));
        ids.insert(id(r));
        texts.insert(text(r));
        if (!repeat)
            kept.append(r);
    }
    list = kept;
}

template <typename Record, typename Key>
void keepWhereKnown(QList<Record>& list, const QSet<int>& known, Key key) {
    list.removeIf([&](const Record& r) { return !known.contains(key(r)); });
}

QString formatLine(const char* key, const QString& fields) {
    return QLatin1String(key) + QLatin1Char('=') + fields + QLatin1String("\n");
}

QString bar(int n) {
    return QString::number(n) + QLatin1Char('|');
}
QString bar(const QString& s) {
    return s + QLatin1Char('|');
}

} // namespace

const LocalResourceRecord* ResourceConfigData::base(int id) const {
    for (const LocalResourceRecord& r : LocalResources) {
        if (r.ID == id)
            return &r;
    }
    return nullptr;
}

QString UnavailableText(const LocalResourceRecord& base) {
    const QString name = base.ResourceName.isEmpty() ? base.IniPath : base.ResourceName;
    return QStringLiteral("知识库 '%1' 暂时无法使用: %2").arg(name, base.Unavailable);
}

bool LoadResourceConfig(ResourceConfigData& config, const QString& configPath,
                        const FirstRunHandler& firstRun) {
    config = ResourceConfigData();

    ConfigFileReader reader;
    reader.Load(configPath);
    const QStringList firstRunFlag = valuesOf(reader, "LOADRESOURCEFAT", "SelfLocalKm");
    if (firstRunFlag.size() == 1 && intField(firstRunFlag.first(), 0) == 0) {
        if (!firstRun || !firstRun())
            return false;
        // The setup has written the file afresh; what follows reads that.
        reader.Load(configPath);
    }

    ReadResourceConfig(config, reader);
    return true;
}

void ReadResourceConfig(ResourceConfigData& config, const ConfigFileReader& reader) {
    readBases(reader, config);
    readIdPairs(reader, "DescriptFile", "DescriptFileInfo", config.DescriptFiles, true);
    readIdTexts(reader, "DescriptAllFile", "DescriptAllFileInfo", config.DescriptAllFiles);
    readIdTexts(reader, "SearchResourceFileGroup", "SearchResourceFileGroupInfo",
                config.SearchGroups);
    readIdPairs(reader, "SearchResourceFile", "SearchResourceFileInfo", config.SearchFiles, false);
    readIdTexts(reader, "SearchAllResourceFile", "SearchAllResourceFileInfo",
                config.SearchAllFiles);
    readSetting(reader, "IsStartLoggResource", config.IsStartLoggResource);
    readSetting(reader, "StartResourceID", config.StartResourceID);
    readSetting(reader, "SearchFileTypeGroupID", config.SearchFileTypeGroupID);
}

void NormaliseResourceConfig(ResourceConfigData& config) {
    // Bases: a later record with an id below 1, or the id or ini path of an
    // earlier one, goes; the first record always stays.
    if (config.LocalResources.size() >= 2) {
        QSet<int> ids{config.LocalResources.first().ID};
        QSet<QString> paths{config.LocalResources.first().IniPath};
        QList<LocalResourceRecord> kept{config.LocalResources.first()};
        for (qsizetype i = 1; i < config.LocalResources.size(); ++i) {
            const LocalResourceRecord& r = config.LocalResources.at(i);
            const bool drop = r.ID < 1 || ids.contains(r.ID) || paths.contains(r.IniPath);
            ids.insert(r.ID);
            paths.insert(r.IniPath);
            if (!drop)
                kept.append(r);
        }
        config.LocalResources = kept;
    }

    QSet<int> baseIds;
    for (const LocalResourceRecord& r : config.LocalResources)
        baseIds.insert(r.ID);
    keepWhereKnown(config.DescriptFiles, baseIds,
                   [](const DescriptFileRecord& r) { return r.BaseID; });

    const auto typeId = [](const TypePatternRecord& r) { return r.TypeID; };
    const auto pattern = [](const TypePatternRecord& r) { return r.Pattern; };
    dropRepeats(config.DescriptAllFiles, 2, typeId, pattern);

    QSet<int> typeIds;
    for (const TypePatternRecord& r : config.DescriptAllFiles)
        typeIds.insert(r.TypeID);
    keepWhereKnown(config.DescriptFiles, typeIds,
                   [](const DescriptFileRecord& r) { return r.TypeID; });

    dropRepeats(
        config.SearchGroups, 2, [](const SearchGroupRecord& r) { return r.GroupID; },
        [](const SearchGroupRecord& r) { return r.Name; });

    // Two search types are left as they are, repeats and all; only from three
    // on are repeats dropped. Files of this shape exist, so the rule stays.
    dropRepeats(config.SearchAllFiles, 3, typeId, pattern);

    QSet<int> searchTypeIds;
    for (const TypePatternRecord& r : config.SearchAllFiles)
        searchTypeIds.insert(r.TypeID);
    keepWhereKnown(config.SearchFiles, searchTypeIds,
                   [](const SearchFileRecord& r) { return r.TypeID; });
}

QString ResourceConfigText(const ResourceConfigData& config) {
    QString text = QStringLiteral("[LOADRESOURCEFAT]\nSelfLocalKm=1|\n[LOCALRESOURCE]\n");
    for (const LocalResourceRecord& r : config.LocalResources)
        text += formatLine("LocalResourceInfo", bar(r.ID) + bar(r.IniPath));
    text += QLatin1String("[DescriptFile]\n");
    for (const DescriptFileRecord& r : config.DescriptFiles)
        text += formatLine("DescriptFileInfo", bar(r.TypeID) + bar(r.BaseID));
    text += QLatin1String("[DescriptAllFile]\n");
    for (const TypePatternRecord& r : config.DescriptAllFiles)
        text += formatLine("DescriptAllFileInfo", bar(r.TypeID) + bar(r.Pattern));
    text += QLatin1String("[SearchResourceFileGroup]\n");
    for (const SearchGroupRecord& r : config.SearchGroups)
        text += formatLine("SearchResourceFileGroupInfo", bar(r.GroupID) + bar(r.Name));
    text += QLatin1String("[SearchResourceFile]\n");
    for (const SearchFileRecord& r : config.SearchFiles)
        text += formatLine("SearchResourceFileInfo", bar(r.TypeID) + bar(r.GroupID));
    text += QLatin1String("[SearchAllResourceFile]\n");
    for (const TypePatternRecord& r : config.SearchAllFiles)
        text += formatLine("SearchAllResourceFileInfo", bar(r.TypeID) + bar(r.Pattern));
    text += QLatin1String("[UserSystemSet]\n");
    text += formatLine("IsStartLoggResource", bar(config.IsStartLoggResource));
    text += formatLine("StartResourceID", bar(config.StartResourceID));
    text += formatLine("SearchFileTypeGroupID", bar(config.SearchFileTypeGroupID));
    // Only when the listed IDs do not already say it, so that a file without
    // a removed top base keeps the bytes it always had.
    if (config.HighestResourceID > highestListedId(config)) {
        text += QLatin1Char('[') + QLatin1String(kMarkSection) + QLatin1String("]\n");
        text += formatLine(kMarkKey, bar(config.HighestResourceID));
    }
    return text;
}

bool UpdateResourceConfig(const ProgramPaths& paths, Prompter& prompter,
                          const ResourceConfigChange& change, ResourceConfigData& written) {
    const QString file = paths.mainConfigFile();
    ResourceConfigData result;
    const auto apply = [&](const std::optional<QByteArray>& current) -> std::optional<QString> {
        ConfigFileReader reader;
        if (current)
            reader.LoadBytes(*current);
        ResourceConfigData fresh;
        ReadResourceConfig(fresh, reader);
        NormaliseResourceConfig(fresh);
        const int highest = fresh.HighestResourceID;
        if (!change(fresh))
            return std::nullopt;
        NormaliseResourceConfig(fresh);
        fresh.HighestResourceID =
            std::max({fresh.HighestResourceID, highest, highestListedId(fresh)});
        result = fresh;
        return ResourceConfigText(fresh);
    };
    switch (SettingsFileUpdate::Apply(file, apply)) {
    case SettingsFileUpdate::Result::Written:
        written = result;
        return true;
    case SettingsFileUpdate::Result::Unchanged:
        return false;
    case SettingsFileUpdate::Result::FolderNotMade:
        prompter.notice(QStringLiteral("创建 '%1' 文件夹出错,请手动创建该文件夹，并设置为可写状态!")
                            .arg(paths.configFolder()));
        return false;
    case SettingsFileUpdate::Result::FileNotWritten:
        prompter.error(SettingsFileUpdate::NotWrittenText(file));
        return false;
    case SettingsFileUpdate::Result::Busy:
        prompter.error(SettingsFileUpdate::BusyText(file));
        return false;
    }
    return false;
}

bool SaveResourceConfig(const ResourceConfigData& config, const ProgramPaths& paths,
                        Prompter& prompter) {
    ResourceConfigData written;
    return UpdateResourceConfig(
        paths, prompter,
        [&](ResourceConfigData& fresh) {
            fresh = config;
            return true;
        },
        written);
}

std::optional<int> FindDescriptType(const ResourceConfigData& config, const QString& pattern) {
    for (const TypePatternRecord& r : config.DescriptAllFiles) {
        if (r.Pattern == pattern)
            return r.TypeID;
    }
    return std::nullopt;
}

int AddDescriptType(ResourceConfigData& config, const QString& pattern) {
    int highest = 0;
    for (const TypePatternRecord& r : config.DescriptAllFiles)
        highest = std::max(highest, r.TypeID);
    config.DescriptAllFiles.append({highest + 1, pattern});
    return highest + 1;
}

void AddBaseType(ResourceConfigData& config, int typeId, int baseId) {
    config.DescriptFiles.append({typeId, baseId});
}

void RemoveBaseType(ResourceConfigData& config, int typeId, int baseId) {
    // Every matching record goes: a leftover repeat would keep offering the
    // type the user just took away.
    config.DescriptFiles.removeIf(
        [&](const DescriptFileRecord& r) { return r.TypeID == typeId && r.BaseID == baseId; });
}

QStringList DescriptTypeSelectorItems(const ResourceConfigData& config, int openBaseId) {
    QStringList items;
    if (openBaseId != -1) {
        for (const DescriptFileRecord& offered : config.DescriptFiles) {
            if (offered.BaseID != openBaseId)
                continue;
            for (const TypePatternRecord& type : config.DescriptAllFiles) {
                if (type.TypeID == offered.TypeID) {
                    items.append(type.Pattern);
                    break;
                }
            }
        }
    }
    items << QStringLiteral("NULL") << QStringLiteral("添加类型");
    return items;
}

bool AddDescriptTypeFromToolbar(int openBaseId, const ResourceConfigUpdater& update,
                                Prompter& prompter) {
    if (openBaseId == -1) {
        prompter.notice(QStringLiteral("请选择知识库再添加!"));
        return false;
    }
    const std::optional<QString> typed = prompter.askText(QStringLiteral("添加类型"));
    if (!typed)
        return false;

    // A "|" or a line break would split the record when the file is read
    // back, so they never reach the pattern.
    QString pattern = *typed;
    pattern.remove(QLatin1Char('|')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    pattern = pattern.trimmed();
    if (pattern.isEmpty()) {
        prompter.notice(QStringLiteral("新类型不能为空!"));
        return false;
    }
    if (!pattern.startsWith(QLatin1String("*."))) {
        prompter.notice(QStringLiteral("新类型名的头两个字符必须是 '*.' !"));
        return false;
    }

    // Checked against the file as it is now: another window may have added
    // the same type meanwhile, under an ID of its own.
    bool offeredAlready = false;
    const bool written = update([&](ResourceConfigData& config) {
        std::optional<int> typeId = FindDescriptType(config, pattern);
        if (typeId) {
            offeredAlready = std::any_of(config.DescriptFiles.cbegin(), config.DescriptFiles.cend(),
                                         [&](const DescriptFileRecord& r) {
                                             return r.TypeID == *typeId && r.BaseID == openBaseId;
                                         });
            if (offeredAlready)
                return false;
        } else {
            typeId = AddDescriptType(config, pattern);
        }
        AddBaseType(config, *typeId, openBaseId);
        return true;
    });
    if (offeredAlready)
        prompter.notice(QStringLiteral("该类型已经存在,不能再添加了!"));
    return written;
}
