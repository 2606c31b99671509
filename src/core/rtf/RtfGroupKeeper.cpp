#include "RtfGroupKeeper.h"

#include "RtfTokenizer.h"
#include "RtfUnkept.h"

namespace {

// "{\field" and then only field words (\fldedit, \flddirty, \fldlock …)
// and line ends: what Word and WordPad write before the instruction.
bool onlyFieldWords(QByteArrayView bytes) {
    if (!bytes.startsWith("{\\field"))
        return false;
    const auto isWordChar = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    };
    for (qsizetype i = 7; i < bytes.size();) {
        if (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n') {
            ++i;
        } else if (bytes.sliced(i).startsWith("\\fld")) {
            for (i += 4; i < bytes.size() && isWordChar(bytes[i]);)
                ++i;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

void RtfGroupKeeper::opened(RtfGroupState& group) const {
    group.start = m_tokens.position() - 1;
    group.sharedChangesAtStart = m_sharedChanges;
}

void RtfGroupKeeper::refuse(RtfGroupState& group) {
    RtfUnkept::add(m_unkept, RtfUnkept::strayGroup());
    group.destination = RtfDestination::Skip;
}

bool RtfGroupKeeper::open(RtfGroupState& group, RtfDestination destination, bool insideDocument,
                          bool firstWord) {
    // Only a group of the text itself, not one inside a font table or a list
    // marker.
    if (group.destination != RtfDestination::Body || !insideDocument) {
        group.destination = RtfDestination::Skip;
        return false;
    }
    if (!firstWord) {
        refuse(group);
        return false;
    }
    group.destination = destination;
    return true;
}

void RtfGroupKeeper::keepField(RtfGroupState& field, qsizetype instructionStart,
                               bool insideDocument) {
    // A field the editor cannot compute (a page number, a date, a table of
    // contents) is kept whole, its result included, rather than turned into
    // text that no longer updates.
    if (field.destination != RtfDestination::Body || !insideDocument)
        return;
    const QByteArrayView before =
        m_tokens.data().sliced(field.start, instructionStart - field.start);
    if (!onlyFieldWords(before) || field.sharedChangesAtStart != m_sharedChanges) {
        RtfUnkept::add(m_unkept, RtfUnkept::strayGroup());
        return;
    }
    field.destination = RtfDestination::Kept;
    field.keptKind = RtfKeptGroup::Kind::Field;
}

QByteArray RtfGroupKeeper::bytesOf(const RtfGroupState& closed) const {
    const qsizetype end = m_tokens.position();
    return m_tokens.data().sliced(closed.start, end - closed.start).toByteArray();
}
