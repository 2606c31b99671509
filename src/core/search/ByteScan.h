#pragma once

#include <QtGlobal>

// Whole-buffer tests of the file search, sixteen bytes at a time.
namespace ByteScan {

qsizetype CountLineFeeds(const char* begin, const char* end);
bool IsAscii(const char* begin, const char* end);

} // namespace ByteScan
