#pragma once

#include <QTextListFormat>

// Paragraph formatting as RTF states it, lengths in twips.
struct RtfParaProps {
    enum class Align { Left, Center, Right, Justify };

    Align align = Align::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0; // \sl: 0 single; > 0 at least (or a multiple); < 0 exactly
    bool lineMultiple = false;
    // A list paragraph: ListStyleUndefined for none; ListDisc also stands for
    // "a list whose kind the marker text tells".
    QTextListFormat::Style listStyle = QTextListFormat::ListStyleUndefined;
    bool listStyleExplicit = false; // set by \pn numbering words, not guessed
    int listLevel = -1;             // -1: derive the nesting from the left indent
    bool inTable = false;           // \intbl: the paragraph belongs to a table cell

    bool operator==(const RtfParaProps&) const = default;
};
