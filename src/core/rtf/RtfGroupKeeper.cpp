#include "RtfGroupKeeper.h"

#include "RtfDocumentBuilder.h"
#include "RtfTokenizer.h"
#include "RtfUnkept.h"

void RtfGroupKeeper::opened(RtfGroupState& group) const {
    group.start = m_tokens.position() - 1;
    group.outputAtStart = m_builder.output();
    group.sideEffectsAtStart = m_sideEffects;
}

bool RtfGroupKeeper::isWhole(const RtfGroupState& group, bool insideDocument) const {
    return insideDocument && group.outputAtStart == m_builder.output() &&
           group.sideEffectsAtStart == m_sideEffects;
}

bool RtfGroupKeeper::open(RtfGroupState& group, RtfDestination destination, bool insideDocument) {
    // Only a group of the text itself, not one inside a font table or a list
    // marker.
    if (group.destination != RtfDestination::Body) {
        group.destination = RtfDestination::Skip;
        return false;
    }
    if (!isWhole(group, insideDocument)) {
        RtfUnkept::add(m_unkept, RtfUnkept::strayGroup());
        group.destination = RtfDestination::Skip;
        return false;
    }
    group.destination = destination;
    return true;
}

void RtfGroupKeeper::keepField(RtfGroupState& field, bool insideDocument) {
    // A field the editor cannot compute (a page number, a date, a table of
    // contents) is kept whole, its result included, rather than turned into
    // text that no longer updates.
    if (field.destination != RtfDestination::Body)
        return;
    if (isWhole(field, insideDocument)) {
        field.destination = RtfDestination::Kept;
        field.keptKind = RtfKeptGroup::Kind::Field;
    } else {
        RtfUnkept::add(m_unkept, RtfUnkept::strayGroup());
    }
}

QByteArray RtfGroupKeeper::bytesOf(const RtfGroupState& closed) const {
    const qsizetype end = m_tokens.position();
    return m_tokens.data().sliced(closed.start, end - closed.start).toByteArray();
}
