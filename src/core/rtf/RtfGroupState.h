#pragma once

#include "RtfCharProps.h"
#include "RtfKeptGroup.h"
#include "RtfParaProps.h"

#include <QtGlobal>

// Where the text of a group goes.
enum class RtfDestination {
    Body,
    Skip,
    FontTable,
    ColorTable,
    ListMarker,     // \pntext, \listtext: the bullet or number as plain readers show it
    ListDefinition, // \pn: the list kind of the paragraph
    FieldInstruction,
    Picture,      // \pict: hex digits or binary data of a picture
    Kept,         // a group read for its raw bytes only
    DocumentInfo, // \info: likewise, but it belongs to the document, not the text
};

// Groups whose content is read for their raw bytes only.
inline bool isRawDestination(RtfDestination destination) {
    return destination == RtfDestination::Kept || destination == RtfDestination::DocumentInfo;
}

// Everything a group saves on '{' and restores on '}'.
struct RtfGroupState {
    RtfCharProps character;
    RtfParaProps paragraph;
    RtfDestination destination = RtfDestination::Body;
    int unicodeSkip = 1; // \uc: fallback characters after each \u
    qsizetype start = 0; // where the group's '{' is in the input
    qint64 sharedChangesAtStart = 0;
    RtfKeptGroup::Kind keptKind = RtfKeptGroup::Kind::Object;
};
