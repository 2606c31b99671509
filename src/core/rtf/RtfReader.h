#pragma once

#include <QByteArrayView>
#include <QStringList>

class QTextCursor;
class QTextDocument;

// Reads RTF as word processors write it (and the description file template)
// into a QTextDocument: text, formatting, lists, links, tables and PNG and
// JPEG pictures. What the editor cannot show (other pictures, objects,
// headers, fields) is kept as raw groups the writer puts back. Damaged or cut
// files load as far as they can be read.
class RtfReader {
public:
    // Replaces the document's content and leaves it unmodified with an empty
    // undo history. False only when the bytes are not RTF at all; the
    // document is then left as it was. unkept receives the kinds of content
    // that were read but cannot be kept (see RtfUnkept): saving such a
    // document would lose them.
    static bool read(QByteArrayView rtf, QTextDocument* document, QStringList* unkept = nullptr);

    // Inserts at the cursor as one undo step, as a paste does.
    static bool insert(QByteArrayView rtf, QTextCursor& cursor);

    // True when the bytes open an RTF group, after an optional byte-order
    // mark and white space.
    static bool isRtf(QByteArrayView bytes);

private:
    static qsizetype start(QByteArrayView bytes);
};
