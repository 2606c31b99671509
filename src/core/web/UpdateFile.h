#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// One download site named by the update file. Its name and address are the
// server's text and are only ever shown as plain text; link() is what may
// be opened.
struct UpdateSite {
    QString name;
    QString address;

    // The address as a web link, or an empty URL when it is not an http or
    // https address: whatever else a server names is never opened.
    QUrl link() const;
};

// Reads the small text file that the update server serves: a first line
// "VERSION=<version>" and lines "DOWNLOAD<any>=<site name>|<address>". The
// file is 8-bit text (GB18030) with LF or CR LF line ends. Every length limit
// of the file's lines is kept, so a file made for the old fixed buffers reads
// the same and a longer text is refused rather than cut.
namespace UpdateFile {

// The version is looked for in the first block of the body only.
inline constexpr qsizetype kFirstBlockBytes = 1024;
inline constexpr qsizetype kMaxVersionBytes = 255;
inline constexpr qsizetype kMaxNameBytes = 127;
inline constexpr qsizetype kMaxAddressBytes = 127;
// With its line feed.
inline constexpr qsizetype kMaxLineBytes = 1023;
// The notice window has rows for this many sites; later ones are dropped.
inline constexpr int kMaxSites = 5;
inline constexpr char kOwnVersion[] = "1.0";

// Without the blanks (space, tab, CR, LF) at both ends.
QByteArray trimmed(QByteArrayView text);

// The served version, trimmed, when the body begins with "VERSION", its first
// line holds the body's first "=" and that line ends within the first block.
std::optional<QByteArray> version(QByteArrayView body);

// Whether the version sorts after the program's own "1.0", byte by byte as
// the old program compared them: so "1.1", "1.0.1", "2" and "10" are newer,
// "0.9" and "1.0" are not.
bool isNewer(QByteArrayView version);

// The first kMaxSites sites of the body's link lines, in file order. A link
// line without "|", with an empty or too long name or address, or longer than
// kMaxLineBytes names no site and takes no row.
QList<UpdateSite> sites(QByteArrayView body);

} // namespace UpdateFile
