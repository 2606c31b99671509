#pragma once

#include "DockEntry.h"

#include <QList>
#include <QString>
#include <functional>

class ProgramPaths;
class Prompter;

// The dock station as "ResourceConfig/NotePaperConfig.ini" keeps it from one
// run to the next: the materials the user pinned, of any base. Another window
// or keepsake-cli may dock and undock at the same time, so every change is
// made to the file as it is then (SettingsFileUpdate), and the station then
// holds what the file holds.
class DockStationFile {
public:
    DockStationFile(const ProgramPaths& paths, Prompter& prompter);

    // Reads the file; a missing or unreadable one gives an empty station.
    void load();
    // The station as this run knows it: what the file held after the last
    // read or change, or the change all the same when the file could not
    // take it.
    const QList<DockEntry>& entries() const { return m_entries; }
    bool contains(const QString& materialId, const QString& baseId) const;

    // Each change is false after a message when the file could not take it.
    // Adding a material the file holds already (docked meanwhile by another
    // process) keeps the one entry.
    bool add(const MaterialRecord& material, const QString& dockTime);
    bool remove(const QString& materialId, const QString& baseId);
    bool removeBase(const QString& baseId);
    // Makes the file hold exactly entries().
    bool save();

    // The file's text for these entries.
    static QString FileText(const QList<DockEntry>& entries);

private:
    // Applies `change` to the entries the file holds now and writes them.
    bool update(const std::function<bool(QList<DockEntry>&)>& change);
    bool removeWhere(const std::function<bool(const DockEntry&)>& matches);

    QString m_file;
    QString m_configFolder;
    Prompter& m_prompter;
    QList<DockEntry> m_entries;
};
