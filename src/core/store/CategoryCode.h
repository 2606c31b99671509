#pragma once

#include <QString>
#include <QStringList>

// The six-character code of a tree item: three two-character segments, one
// per level (root XX0000, major XXYY00, minor XXYYZZ); "000000" is the
// knowledge base itself. Segments count 01..09, 0A..0Z, 10.. (digits, then
// capital letters), so text order is count order.
namespace CategoryCode {

enum class Level { Invalid, WholeBase, Root, Major, Minor };

inline const QString kWholeBase = QStringLiteral("000000");

// The level by the classic tests, in order: "00" first segment, "00" second,
// "00" last; Invalid for a code that is not six characters long.
Level LevelOf(const QString& code);
inline bool IsWholeBase(const QString& code) {
    return LevelOf(code) == Level::WholeBase;
}
inline bool IsRoot(const QString& code) {
    return LevelOf(code) == Level::Root;
}
inline bool IsMajor(const QString& code) {
    return LevelOf(code) == Level::Major;
}
inline bool IsMinor(const QString& code) {
    return LevelOf(code) == Level::Minor;
}

// Six characters of 0-9 and A-Z, and no segment follows a "00" one except
// "00". Only such a code may be written or turned into a "like" pattern: a
// '%' or '_' in one would widen the pattern to rows it does not name.
bool IsWellFormed(const QString& code);

// The successor of a segment: 09 -> 0A, 0Z -> 10, 9Z -> A0, ZZ -> 00.
// "ZZ" for anything that is not two characters of the sequence.
QString NextSegment(const QString& segment);

// The first free segment of a run of children's segments in text order,
// counting from "01": a "00" (the parent's own row) is passed over, so is a
// segment already counted (a duplicated code); the first gap ends the run.
// "00" when all 1295 segments are taken.
QString FirstFreeSegment(const QStringList& sortedSegments);

// The segment a child of the given level occupies: characters 1-2 for a
// root, 3-4 for a major, 5-6 for a minor.
QString SegmentOf(const QString& code, Level childLevel);

// The code of a child of parent with the given segment ("" when parent is a
// minor or not a code).
QString ChildCode(const QString& parent, const QString& segment);

// The part of a code that every item under it shares: two characters for a
// root, four for a major, the whole code for a minor.
QString SharedPrefix(const QString& code);

// The item a code lies under: the whole base for a root.
QString ParentOf(const QString& code);

// The material folder below the base's folder: "01/02/03/17/" for material
// 17 under 010203. Fixed at creation, whatever happens to the code later.
QString MaterialFolder(const QString& code, const QString& materialId);

} // namespace CategoryCode
