#pragma once

#include <QString>

// One row of the recycle bin: a deleted category item (no material id) or a
// deleted material.
struct RecycleRow {
    QString Name;
    QString Kind; // "知识库根项", "知识库大项", "知识库小项" or "资料"
    QString Path; // display path, "base\root\major\minor"
    QString DeleteTime;
    QString MaterialId; // empty for an item
    QString Code;
    QString CreateTime;

    bool IsMaterial() const { return !MaterialId.isEmpty(); }
    bool operator==(const RecycleRow&) const = default;
};

// The kind text of a recycle row: items by their code's level, or "资料".
inline QString RecycleKindOf(const QString& code, bool isMaterial) {
    if (isMaterial)
        return QStringLiteral("资料");
    if (code.mid(2, 4) == QLatin1String("0000"))
        return QStringLiteral("知识库根项");
    if (code.endsWith(QLatin1String("00")))
        return QStringLiteral("知识库大项");
    return QStringLiteral("知识库小项");
}
