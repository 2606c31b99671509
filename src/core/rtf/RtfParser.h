#pragma once

#include "RtfColorReader.h"
#include "RtfDocumentBuilder.h"
#include "RtfDocumentTables.h"
#include "RtfGroupKeeper.h"
#include "RtfGroupState.h"
#include "RtfKeyword.h"
#include "RtfPicture.h"
#include "RtfTableReader.h"
#include "RtfTextDecoder.h"
#include "RtfTokenizer.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <QTextCursor>

#include <vector>

// Reads one RTF document into a cursor. The group stack is an explicit vector
// with a depth cap, so no input can recurse, and every token moves the
// tokenizer forward, so no input can hang: broken files open with what could
// be read.
class RtfParser {
public:
    RtfParser(QByteArrayView rtf, const QTextCursor& cursor);

    void run();

    // Where the text read ends.
    const QTextCursor& cursor() const { return m_builder.cursor(); }
    // The kinds of content read that the document could not take (see RtfUnkept).
    const QStringList& unkept() const { return m_unkept; }
    // Groups of the document itself rather than its text (\info), as read.
    const QByteArrayList& documentGroups() const { return m_documentGroups; }

    // Deeper groups than this are garbage or an attack; their content is
    // dropped while their braces are still counted.
    static constexpr int kMaxDepth = 200;

private:
    RtfGroupState& state() { return m_stack.back(); }

    void openGroup();
    void closeGroup();
    void endDestination(const RtfGroupState& closed);
    void finish();
    void placeParagraph() { m_tableReader.place(state()); }

    void controlWord(const RtfTokenizer::Token& token);
    void controlSymbol(char symbol);
    void textBytes(QByteArrayView bytes);
    void destinationBytes(QByteArrayView bytes);
    void fontTableBytes(QByteArrayView bytes);

    void appendBytes(QByteArrayView bytes);
    void flushBytes();
    void appendText(QStringView text);
    void appendChar(char16_t c) { appendText(QStringView(&c, 1)); }
    void appendUnicode(int value);
    void endParagraph();

    void commitFont();
    void commitColor();

    RtfTokenizer m_tokens;
    RtfDocumentTables m_tables;
    RtfDocumentBuilder m_builder;
    QStringList m_unkept;
    RtfGroupKeeper m_keeper{m_tokens, m_unkept};
    RtfTableReader m_tableReader;
    RtfTextDecoder m_decoder;
    std::vector<RtfGroupState> m_stack;
    int m_overflowDepth = 0;
    int m_fallbackToSkip = 0;     // what is left of the fallback after a \u
    bool m_ignorableNext = false; // \* read, a destination word follows
    bool m_groupFresh = false;    // nothing but \* read since the last '{'
    bool m_done = false;

    QByteArray m_bytes; // undecoded bytes of the current run
    int m_bytesCodePage = 0;
    QString m_marker; // the current paragraph's \pntext
    QString m_fieldInstruction;
    RtfPicture m_picture;
    QByteArrayList m_documentGroups;

    int m_fontNumber = -1; // font table entry being read
    int m_fontCodePage = 0;
    QString m_fontName;
    RtfColorReader m_color;
};
