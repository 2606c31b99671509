#pragma once

#include <QString>
#include <QStringList>

// What a file can hold that the editor can neither show nor keep, named as
// the user reads it in the message that opens such a file read-only.
namespace RtfUnkept {

inline QString nestedTable() {
    return QStringLiteral("嵌套表格");
}
inline QString mergedCells() {
    return QStringLiteral("合并单元格");
}
// Rows of one table with different numbers of cells, as Word writes cells
// merged across columns: the grid the editor makes of them is not the file's.
inline QString irregularTable() {
    return QStringLiteral("不规则表格");
}
inline QString hiddenText() {
    return QStringLiteral("隐藏文字");
}
// A picture, object or field that does not start its group, so that the
// group's raw bytes would hold what came before it a second time.
inline QString strayGroup() {
    return QStringLiteral("格式有误的对象");
}
// A group the file ends inside, so that its raw bytes cannot be kept whole.
inline QString cutObject() {
    return QStringLiteral("不完整的对象");
}

// Adds a kind to those found, once.
inline void add(QStringList& kinds, const QString& kind) {
    if (!kinds.contains(kind))
        kinds.append(kind);
}

} // namespace RtfUnkept
