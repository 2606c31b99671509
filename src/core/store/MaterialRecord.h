#pragma once

#include <QString>
#include <QStringList>

// A material as it travels between the store, the lists, the dock station and
// the viewers: twelve texts, always in this order (the dock station file and
// the list columns keep it).
struct MaterialRecord {
    QString MinuItemID;
    QString MinuItemName;
    QString DisplayPath; // "base\root\major\minor" from the item names; never stored
    QString ItemID;
    QString DescribeFileType; // "0" RTF, "1" web pages, "2" another file type
    QString MinuItemDescribeFilename;
    QString MinuItemFilePath; // "01/02/03/17/", relative to the base's folder
    QString CreateTime;
    QString Creator;         // empty at creation
    QString NetworkMark;     // local or network base mark; "0" in the dock station
    QString KnowledgeBaseID; // the base that holds the material
    QString FilesRoot;       // that base's folder, with a trailing "/"

    static constexpr int kFieldCount = 12;

    QStringList Fields() const {
        return {MinuItemID,       MinuItemName,     DisplayPath,
                ItemID,           DescribeFileType, MinuItemDescribeFilename,
                MinuItemFilePath, CreateTime,       Creator,
                NetworkMark,      KnowledgeBaseID,  FilesRoot};
    }

    // Missing fields stay empty, extra ones are ignored.
    static MaterialRecord FromFields(const QStringList& f) {
        auto at = [&f](int i) { return i < f.size() ? f.at(i) : QString(); };
        return {at(0), at(1), at(2), at(3), at(4),  at(5),
                at(6), at(7), at(8), at(9), at(10), at(11)};
    }

    bool operator==(const MaterialRecord&) const = default;
};
