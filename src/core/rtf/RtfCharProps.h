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
    // \ab, \ai and \afs after \dbch apply to East Asian characters only, as
    // LibreOffice writes bold or larger Chinese; -1 where they say nothing.
    bool asianAssociated = false; // \dbch chose the associated font class
    int asianBold = -1;
    int asianItalic = -1;
    int asianHalfPoints = -1;

    bool hasAsianFormat() const {
        return asianBold >= 0 || asianItalic >= 0 || asianHalfPoints >= 0;
    }
    // The properties East Asian characters of this run are shown with.
    RtfCharProps forAsianText() const {
        RtfCharProps p = *this;
        if (asianBold >= 0)
            p.bold = asianBold;
        if (asianItalic >= 0)
            p.italic = asianItalic;
        if (asianHalfPoints >= 0)
            p.halfPoints = asianHalfPoints;
        p.asianBold = p.asianItalic = p.asianHalfPoints = -1;
        return p;
    }

    bool operator==(const RtfCharProps&) const = default;
};
