#pragma once

#include <QString>

// A material's name becomes the name of its description file, so it may hold
// none of the characters a file name cannot (on any system the base may be
// copied to), and it must fit a list column.
namespace MaterialName {

inline constexpr int kMaxLength = 100;

// Each of \ / : * ? " < > | and every line break or other control character
// becomes a blank; then the ends are trimmed.
QString Clean(const QString& typed);

// True when the character may not stand in a material name.
bool IsForbidden(QChar c);

// Why a cleaned name cannot be used: "资料名太长!", "资料名不能为空!", or
// empty when it can.
QString ProblemOf(const QString& cleaned);

} // namespace MaterialName
