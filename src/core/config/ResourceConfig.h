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
};

struct DescriptFileRecord {
    int TypeID = 0;
    int BaseID = 0;
};

struct TypePatternRecord {
    int TypeID = 0;
    QString Pattern;
};

struct SearchGroupRecord {
    int GroupID = 0;
    QString Name;
};

struct SearchFileRecord {
    int TypeID = 0;
    int GroupID = 0;
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

    const LocalResourceRecord* base(int id) const;
};

// Called when the file asks for the first-run setup; false when the user
// cancelled or the setup failed (it has told the user why).
using FirstRunHandler = std::function<bool()>;

// Empties `config`, runs the first-run check, then reads `configPath`.
// False only when the first-run setup fails or is cancelled.
bool LoadResourceConfig(ResourceConfigData& config, const QString& configPath,
                        const FirstRunHandler& firstRun);

// Drops duplicate and dangling records; earlier records win.
void NormaliseResourceConfig(ResourceConfigData& config);

// The whole file as the writer writes it ("\n" line ends, before encoding).
QString ResourceConfigText(const ResourceConfigData& config);

// Writes the file under `paths`; tells the user through `prompter` when the
// folder cannot be made or the file cannot be written. The old file stays
// whole on any failure.
bool SaveResourceConfig(const ResourceConfigData& config, const ProgramPaths& paths,
                        Prompter& prompter);

std::optional<int> FindDescriptType(const ResourceConfigData& config, const QString& pattern);
int AddDescriptType(ResourceConfigData& config, const QString& pattern); // the new TypeID
void AddBaseType(ResourceConfigData& config, int typeId, int baseId);
void RemoveBaseType(ResourceConfigData& config, int typeId, int baseId);

// The entries of the toolbar's description-file type selector: the patterns
// the open base offers (none when openBaseId is -1), then "NULL" and "添加类型".
QStringList DescriptTypeSelectorItems(const ResourceConfigData& config, int openBaseId);

// "添加类型" chosen in the selector: asks for the pattern, checks it, records it
// and saves the file. True when the configuration changed.
bool AddDescriptTypeFromToolbar(ResourceConfigData& config, int openBaseId,
                                const ProgramPaths& paths, Prompter& prompter);
