#include "RtfReader.h"

#include "RtfKeptGroup.h"
#include "RtfParser.h"

#include <QTextCursor>
#include <QTextDocument>

qsizetype RtfReader::start(QByteArrayView bytes) {
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf") ? i : -1;
}

bool RtfReader::isRtf(QByteArrayView bytes) {
    return start(bytes) >= 0;
}

bool RtfReader::read(QByteArrayView rtf, QTextDocument* document, QStringList* unkept) {
    const qsizetype from = start(rtf);
    if (from < 0 || !document)
        return false;
    // Undo records of a load would only cost time and memory. One edit block
    // makes the layout see one change, not one per run of text: without it
    // each insertion lays its whole paragraph out again.
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    RtfParser parser(rtf.sliced(from), cursor);
    parser.run();
    cursor.endEditBlock();
    document->setProperty(RtfKeptGroup::kDocumentGroupsProperty,
                          QVariant::fromValue(parser.documentGroups()));
    if (unkept)
        *unkept = parser.unkept();
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
    return true;
}

bool RtfReader::insert(QByteArrayView rtf, QTextCursor& cursor) {
    const qsizetype from = start(rtf);
    if (from < 0 || cursor.isNull())
        return false;
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    RtfParser parser(rtf.sliced(from), cursor);
    parser.run();
    cursor.setPosition(parser.cursor().position());
    cursor.endEditBlock();
    return true;
}
