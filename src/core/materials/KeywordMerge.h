#pragma once

#include <QStringList>

// What saving a material's keywords changes: both lists sorted (ordinal) and
// walked together once; a value only in the edited list is inserted, one only
// in the stored list deleted, equal values stay. A value typed twice is
// inserted once for each occurrence the walk finds unmatched.
namespace KeywordMerge {

struct Changes {
    QStringList toInsert;
    QStringList toDelete;
};

Changes Merge(QStringList stored, QStringList edited);

// The edited keywords as saved: each trimmed, empty ones dropped.
QStringList Cleaned(const QStringList& edited);

} // namespace KeywordMerge
