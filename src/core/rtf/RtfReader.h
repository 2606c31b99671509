#pragma once

#include <QByteArrayView>

class QTextCursor;
class QTextDocument;

// Reads RTF as WordPad and Word write it (and the description file template)
// into a QTextDocument. Damaged or cut files load as far as they can be read.
class RtfReader {
public:
    // Replaces the document's content and leaves it unmodified with an empty
    // undo history. False only when the bytes are not RTF at all; the
    // document is then left as it was.
    static bool read(QByteArrayView rtf, QTextDocument* document);

    // Inserts at the cursor as one undo step, as a paste does.
    static bool insert(QByteArrayView rtf, QTextCursor& cursor);

    // True when the bytes open an RTF group, after an optional byte-order
    // mark and white space.
    static bool isRtf(QByteArrayView bytes);

private:
    static qsizetype start(QByteArrayView bytes);
};
