#pragma once

#include "store/MaterialRecord.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// One material pinned to the dock station, with the time it was docked, as
// the dock station file keeps it: thirteen texts in the order id, name, path,
// code, type, description file, folder, creation time, creator, local or
// network mark (always "0"), base id, dock time, base folder.
struct DockEntry {
    MaterialRecord Material;
    QString DockTime;

    static constexpr int kFieldCount = 13;

    QStringList Fields() const;
    // Missing fields stay empty, fields past the thirteenth are ignored, and
    // the mark is "0" whatever was read.
    static DockEntry FromFields(const QStringList& fields);

    // The file's value "f0|f1|...|f12|". "|" and line breaks inside a text
    // would split it into other fields or lines when read back; each
    // becomes a blank.
    QString FileValue() const;
    static DockEntry FromFileValue(QStringView value);

    bool IsMaterial(const QString& materialId, const QString& baseId) const {
        return Material.MinuItemID == materialId && Material.KnowledgeBaseID == baseId;
    }
    bool operator==(const DockEntry&) const = default;
};
