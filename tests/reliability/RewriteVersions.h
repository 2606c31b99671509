#pragma once

#include "config/ResourceConfig.h"
#include "materials/DockEntry.h"
#include "search/SearchSettings.h"

#include <QByteArray>
#include <QList>
#include <QString>

class DockStationFile;
class KnowledgeStore;
class ProgramPaths;
struct CurrentKnowledgeBase;

// The two states the crash rewriter flips its settings files and its
// catalogue between. Whatever a kill leaves behind must be one of them whole:
// a file that matches neither was torn, a catalogue that matches neither
// committed half a change.
namespace RewriteVersions {

constexpr int kCount = 2;

// The catalogue both versions grow from: one root, one major, two minors and
// material 1.
bool SeedCatalogue(KnowledgeStore& store, const CurrentKnowledgeBase& base);

ResourceConfigData Config(const LocalResourceRecord& base, int version);
SearchSettings Search(int version);
// Material 1 is always docked, material 2 only in version 1.
QList<DockEntry> DockEntries(const CurrentKnowledgeBase& base, int version);

struct SettingsFile {
    QString path;
    QByteArray bytes;
};
// Every settings file of the program folder with the bytes it holds in the
// version.
QList<SettingsFile> SettingsFiles(const ProgramPaths& paths, const LocalResourceRecord& record,
                                  const CurrentKnowledgeBase& base, int version);

// Docks or undocks material 2 through the dock station file, as the panes
// do (material 1 too when it is missing); the file is written whatever the
// station held before.
bool MoveDock(DockStationFile& dock, const CurrentKnowledgeBase& base, int version);

// One transaction of several statements: item 010101 takes the version's
// name, material 1 moves to the version's minor, material 2 and its keyword
// come or go.
bool MoveCatalogue(KnowledgeStore& store, const CurrentKnowledgeBase& base, int version);
// The version the catalogue is in, -1 when it is in none.
int CatalogueVersion(KnowledgeStore& store);
QString ItemName(int version);

} // namespace RewriteVersions
