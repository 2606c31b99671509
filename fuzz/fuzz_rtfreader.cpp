// The RTF reader on any bytes, as description files and pasted text reach
// it. What it reads can be laid out, as the editor does, and survives being
// written by the program's writer and read again, paragraph for paragraph
// with its pictures and kept groups; saving that again writes the same
// bytes; a paste keeps the text around it.

#include "FuzzSupport.h"
#include "rtf/RtfKeptGroup.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

namespace {

QStringList blockTexts(const QTextDocument& document) {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Documents lay text out with fonts, which need a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView rtf(data, qsizetype(size));
    QTextDocument document;
    if (!RtfReader::read(rtf, &document)) {
        FUZZ_EXPECT(!RtfReader::isRtf(rtf));
        FUZZ_EXPECT(document.isEmpty());
        return 0;
    }
    FUZZ_EXPECT(!document.isModified());
    FUZZ_EXPECT(!document.isUndoAvailable());
    // The editor lays out what it opens; a layout that never ends is a hang.
    RtfKeptGroup::showIn(&document);
    document.documentLayout()->documentSize();

    const QByteArray written = RtfWriter::write(&document);
    QTextDocument again;
    QStringList unkept;
    FUZZ_EXPECT(RtfReader::read(written, &again, &unkept));
    // What the writer writes, the reader keeps.
    FUZZ_EXPECT(unkept.isEmpty());
    FUZZ_EXPECT_EQUAL(blockTexts(again), blockTexts(document));
    FUZZ_EXPECT_EQUAL(RtfWriter::write(&again), written);

    QTextDocument pasted;
    QTextCursor cursor(&pasted);
    cursor.insertText(QStringLiteral("前后"));
    cursor.setPosition(1);
    FUZZ_EXPECT(RtfReader::insert(rtf, cursor));
    const QString text = pasted.toRawText();
    FUZZ_EXPECT(text.startsWith(u'前') && text.endsWith(u'后'));
    return 0;
}
