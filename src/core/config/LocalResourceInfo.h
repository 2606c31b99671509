#pragma once

#include <QString>

struct ResourceConfigData;

// Where a registered knowledge base lives, read afresh from its own ini file.
struct LocalResourceInfo {
    QString iniFolder;     // folder of the base's ini file, with a trailing "/"
    QString storageFolder; // "ResourceFilePath" of the ini file
    QString name;          // "ResourceName" of the ini file
};

// For the first base with that ID. All three texts are empty when no base has
// the ID or its ini path names no folder; the last two are empty when the ini
// file lacks them. With repeated keys the last value wins.
LocalResourceInfo GetLocalResourceInfo(const ResourceConfigData& config, int id);
