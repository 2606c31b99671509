#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Prompter;
class ProgramPaths;

// The main configuration "ResourceConfig/ResourceConfig.ini" in memory: the
// registered knowledge bases, the description-file types and which base offers
// which, the file-search types and groups, and the start-up choices.

struct LocalResourceRecord {
    int ID = 0;
    QString ResourceName;
    QString IniPath;
    QString ResourceFilePath; // storage folder, without a trailing "/"
    QString CreateTime;
    // Why the base cannot be used now (its ini file is missing, unreadable or
    // incomplete: a drive not mounted, a folder moved away); empty when it
    // can. Such a base stays registered, its line written back as it was.
    QString Unavailable;

    bool operator==(const LocalResourceRecord&) const = default;
};

struct DescriptFileRecord {
    int TypeID = 0;
    int BaseID = 0;
    bool operator==(const DescriptFileRecord&) const = default;
};

struct TypePatternRecord {
    int TypeID = 0;
    QString Pattern;
    bool operator==(const TypePatternRecord&) const = default;
};

struct SearchGroupRecord {
    int GroupID = 0;
    QString Name;
    bool operator==(const SearchGroupRecord&) const = default;
};

struct SearchFileRecord {
    int TypeID = 0;
    int GroupID = 0;
    bool operator==(const SearchFileRecord&) const = default;
};

struct ResourceConfigData {
    QList<LocalResourceRecord> LocalResources;
    QList<DescriptFileRecord> DescriptFiles;
    QList<TypePatternRecord> DescriptAllFiles;
    QList<SearchGroupRecord> SearchGroups;
    QList<SearchFileRecord> SearchFiles;
    QList<TypePatternRecord> SearchAllFiles;
    int IsStartLoggResource = 0;
    int StartResourceID = -1;
    int SearchFileTypeGroupID = 0;
    // No base ID up to this one is handed out again, even after its base
    // left the list: dock rows and scripts may still name it. The file
    // carries it only when it says more than the listed IDs do.
    int HighestResourceID = 0;

    const LocalResourceRecord* base(int id) const;
    bool operator==(const ResourceConfigData&) const = default;
};

class ConfigFileReader;

// "知识库 '%1' 暂时无法使用: %2": the base's name (its ini path when the name
// cannot be read) and why, for the selector, the lists and the choice of it.
QString UnavailableText(const LocalResourceRecord& base);

// Called when the file asks for the first-run setup; false when the user
// cancelled or the setup failed (it has told the user why).
using FirstRunHandler = std::function<bool()>;

// Empties `config`, runs the first-run check, then reads `configPath`.
// False only when the first-run setup fails or is cancelled.
bool LoadResourceConfig(ResourceConfigData& config, const QString& configPath,
                        const FirstRunHandler& firstRun);

// The records of a main configuration already loaded into `reader`, the
// bases' own ini files read afresh; no first-run check.
void ReadResourceConfig(ResourceConfigData& config, const ConfigFileReader& reader);

// Drops duplicate and dangling records; earlier records win.
void NormaliseResourceConfig(ResourceConfigData& config);

// The whole file as the writer writes it ("\n" line ends, before encoding).
QString ResourceConfigText(const ResourceConfigData& config);

// A change of the main configuration, applied to what the file holds now;
// false to write nothing.
using ResourceConfigChange = std::function<bool(ResourceConfigData&)>;

// Under the file's lock: reads the file as it is now (cleaned), applies
// `change` and writes the result, which `written` then holds. Tells the user
// through `prompter`, naming the folder or the file, when it cannot be
// written; the old file stays whole on any failure. False also when the
// change asked for no write (the caller knows why).
bool UpdateResourceConfig(const ProgramPaths& paths, Prompter& prompter,
                          const ResourceConfigChange& change, ResourceConfigData& written);

// Makes `config` the whole new content of the file, whatever it holds now.
bool SaveResourceConfig(const ResourceConfigData& config, const ProgramPaths& paths,
                        Prompter& prompter);

std::optional<int> FindDescriptType(const ResourceConfigData& config, const QString& pattern);
int AddDescriptType(ResourceConfigData& config, const QString& pattern); // the new TypeID
void AddBaseType(ResourceConfigData& config, int typeId, int baseId);
void RemoveBaseType(ResourceConfigData& config, int typeId, int baseId);

// The entries of the toolbar's description-file type selector: the patterns
// the open base offers (none when openBaseId is -1), then "NULL" and "添加类型".
QStringList DescriptTypeSelectorItems(const ResourceConfigData& config, int openBaseId);

// How a caller that owns the configuration in memory applies a change to the
// file (Workspace::updateConfiguration).
using ResourceConfigUpdater = std::function<bool(const ResourceConfigChange&)>;

// "添加类型" chosen in the selector: asks for the pattern, checks it against
// the file as it is now, records it there. True when the configuration
// changed.
bool AddDescriptTypeFromToolbar(int openBaseId, const ResourceConfigUpdater& update,
                                Prompter& prompter);
