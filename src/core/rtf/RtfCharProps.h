#pragma once

// Character formatting as RTF states it: numbers into the font and colour
// tables, sizes in half-points. Resolved into a QTextCharFormat only when a
// run of text is committed, so a format change costs a field store.
struct RtfCharProps {
    int font = -1; // font table number; -1 for the document's default font
    int halfPoints = 24;
    int foreground = 0; // colour table index; 0 is the automatic colour
    int background = 0;
    int link = -1;    // index into the hyperlinks read so far
    int vertical = 0; // 1 superscript, -1 subscript
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;

    bool operator==(const RtfCharProps&) const = default;
};
