#pragma once

#include "UrlRecord.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

// The groups and entries as "ResourceConfig/UserUrlConfig.ini" keeps them, in
// file order: section "GROUPURL" with "GroupUrl=ID|name|" lines, then section
// "USERURL" with "UserUrl=ID|group ID|time added|title|address|" lines.
struct UrlLists {
    QList<UrlGroup> groups;
    QList<UrlRecord> entries;

    bool operator==(const UrlLists&) const = default;
};

namespace UrlConfigFile {

// Missing fields read as empty, fields past the last known one are ignored;
// a missing file gives empty lists.
UrlLists Load(const QString& path);
UrlLists FromBytes(QByteArrayView bytes);

// The file's text with "\n" line ends. A "|" or line break inside a field
// would split it when read back, so each becomes a blank.
QString Text(const UrlLists& lists);

// A text as a field can hold it: "|", CR and LF become blanks.
QString FieldText(QString text);

} // namespace UrlConfigFile
