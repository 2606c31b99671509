#pragma once

#include "RtfGroupState.h"

#include <QByteArray>
#include <QStringList>

class RtfTokenizer;

// Decides which groups the reader keeps as raw bytes (pictures it cannot
// show, objects, headers, fields other than links, \info) and cuts those
// bytes out of the input. The bytes are read again on the next open, in
// whatever surrounds them then, and must have the same effect, once: so the
// decision rests on the group's own bytes. A destination must be the
// group's first word; a field's group must hold nothing but its field words
// before the instruction, and reading the instruction must not have changed
// what the whole document shares (code page, font and colour tables, row
// definition).
class RtfGroupKeeper {
public:
    RtfGroupKeeper(const RtfTokenizer& tokens, QStringList& unkept)
        : m_tokens(tokens), m_unkept(unkept) {}

    // A group was opened: where it starts and what had been done before it.
    void opened(RtfGroupState& group) const;
    // Something the whole document shares changed.
    void sharedStateChanged() { ++m_sharedChanges; }

    // The group names itself a destination read for its raw bytes or a
    // picture. False when that cannot be: outside the text the group is
    // skipped; elsewhere than as its first word (firstWord) the group is
    // skipped and named as not kept. insideDocument: the group is not the
    // document's own.
    bool open(RtfGroupState& group, RtfDestination destination, bool insideDocument,
              bool firstWord);
    // A field whose instruction (a group starting at instructionStart) is not
    // a link is kept raw when whole.
    void keepField(RtfGroupState& field, qsizetype instructionStart, bool insideDocument);

    // The raw bytes of a group that has just been closed.
    QByteArray bytesOf(const RtfGroupState& closed) const;

private:
    void refuse(RtfGroupState& group);

    const RtfTokenizer& m_tokens;
    QStringList& m_unkept;
    qint64 m_sharedChanges = 0;
};
