#pragma once

#include "RtfCharProps.h"
#include "RtfParaProps.h"

// Where the text of a group goes.
enum class RtfDestination {
    Body,
    Skip,
    FontTable,
    ColorTable,
    ListMarker,     // \pntext, \listtext: the bullet or number as plain readers show it
    ListDefinition, // \pn: the list kind of the paragraph
    FieldInstruction,
};

// Everything a group saves on '{' and restores on '}'.
struct RtfGroupState {
    RtfCharProps character;
    RtfParaProps paragraph;
    RtfDestination destination = RtfDestination::Body;
    int unicodeSkip = 1; // \uc: fallback characters after each \u
};
