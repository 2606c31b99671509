#pragma once

#include "RtfGroupState.h"

#include <QByteArray>
#include <QStringList>

class RtfDocumentBuilder;
class RtfTokenizer;

// Decides which groups the reader keeps as raw bytes (pictures it cannot
// show, objects, headers, fields other than links, \info) and cuts those
// bytes out of the input. A group is kept only while it is whole: nothing
// of it is in the document yet, none of its text was dropped as hidden, and
// it changed nothing the whole document shares (code page, font and colour
// tables, row definition). Its bytes are read again on the next open, where
// what hid its text may no longer hold, and must then have the same effect,
// once.
class RtfGroupKeeper {
public:
    RtfGroupKeeper(const RtfTokenizer& tokens, const RtfDocumentBuilder& builder,
                   QStringList& unkept)
        : m_tokens(tokens), m_builder(builder), m_unkept(unkept) {}

    // A group was opened: where it starts and what had been done before it.
    void opened(RtfGroupState& group) const;
    // Something the whole document shares changed.
    void sharedStateChanged() { ++m_sideEffects; }
    // Text was read but not put into the document (hidden text).
    void textDropped() { ++m_sideEffects; }

    // The group names itself a destination read for its raw bytes or a
    // picture. False when that cannot be: outside the text the group is
    // skipped; a group that is not whole is skipped and named as not kept.
    // insideDocument: the group is not the document's own.
    bool open(RtfGroupState& group, RtfDestination destination, bool insideDocument);
    // A field whose instruction is not a link is kept raw when whole.
    void keepField(RtfGroupState& field, bool insideDocument);

    // The raw bytes of a group that has just been closed.
    QByteArray bytesOf(const RtfGroupState& closed) const;

private:
    bool isWhole(const RtfGroupState& group, bool insideDocument) const;

    const RtfTokenizer& m_tokens;
    const RtfDocumentBuilder& m_builder;
    QStringList& m_unkept;
    qint64 m_sideEffects = 0;
};
