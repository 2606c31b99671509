#include "RtfStructure.h"
#include "RtfTestSupport.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QtTest>

#include <memory>

// Files that LibreOffice, AbiWord and pandoc made from producers/source.html
// survive being read, written and read again. The expected values are those
// of the source page and its two pictures, not of the reader.
class TestRtfProducers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsTheSourcePage_data();
    void keepsTheSourcePage();
};

namespace {

QByteArray producerFile(const QString& name) {
    return rtfSample(qPrintable(QStringLiteral("producers/") + name));
}

Qt::Alignment alignmentOf(const QTextDocument& document, const QString& text) {
    return document.find(text).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

struct Expected {
    bool sizesAndColour; // pandoc keeps neither from HTML
    bool rightAligned;
    bool lists; // pandoc writes list markers as text
    bool pictureSizes;
    bool boldInCell; // AbiWord drops it
};

// Everything the source page says that the producer wrote, checked in one
// document: the original read and the one read back.
void checkSourcePage(const QTextDocument& document, const Expected& expected) {
    QCOMPARE(alignmentOf(document, QStringLiteral("读书笔记 Reading notes")), Qt::AlignHCenter);
    QVERIFY(!document.find(QStringLiteral("完 The end.")).isNull());
    QVERIFY(formatOf(document, QStringLiteral("粗体")).fontWeight() >= QFont::Bold);
    QVERIFY(formatOf(document, QStringLiteral("斜体")).fontItalic());
    QVERIFY(formatOf(document, QStringLiteral("bold")).fontWeight() >= QFont::Bold);
    QVERIFY(formatOf(document, QStringLiteral("italic")).fontItalic());
    QVERIFY(formatOf(document, QStringLiteral("English")).fontWeight() < QFont::Bold);
    if (expected.sizesAndColour) {
        QCOMPARE(formatOf(document, QStringLiteral("大字")).fontPointSize(), 20.0);
        QCOMPARE(formatOf(document, QStringLiteral("小字")).fontPointSize(), 9.0);
        QCOMPARE(formatOf(document, QStringLiteral("红色")).foreground().color(),
                 QColor(0xc0, 0, 0));
    }
    if (expected.rightAligned)
        QCOMPARE(alignmentOf(document, QStringLiteral("右对齐")), Qt::AlignRight);

    QCOMPARE(rtfLinks(document),
             QStringList{QStringLiteral("示例网站 example -> https://example.org/notes?id=7")});

    const QList<QTextTable*> tables = rtfTables(document);
    QCOMPARE(tables.size(), 1);
    QCOMPARE(tables.first()->rows(), 2);
    QCOMPARE(tables.first()->columns(), 3);
    QCOMPARE(rtfCellTexts(*tables.first()),
             (QStringList{"姓名 Name", "数量 Count", "备注 Note", "苹果 apple", "3", "好 good"}));
    if (expected.boldInCell)
        QVERIFY(formatOf(document, QStringLiteral("好 ")).fontWeight() >= QFont::Bold);
    QVERIFY(formatOf(document, QStringLiteral("good")).fontWeight() < QFont::Bold);

    if (expected.lists) {
        QCOMPARE(rtfLists(document),
                 (QStringList{QStringLiteral("%1: 第一点 first bullet | 第二点 second bullet")
                                  .arg(QTextListFormat::ListDisc),
                              QStringLiteral("%1: 步骤一 step one | 步骤二 step two")
                                  .arg(QTextListFormat::ListDecimal)}));
    }

    QCOMPARE(rtfPictureBytes(document), (QByteArrayList{rtfSample("producers/picture.png"),
                                                        rtfSample("producers/picture.jpg")}));
    if (expected.pictureSizes) {
        // The sizes the page gives the pictures.
        const QList<QTextImageFormat> images = rtfImages(document);
        QCOMPARE(QSizeF(images.at(0).width(), images.at(0).height()), QSizeF(48, 32));
        QCOMPARE(QSizeF(images.at(1).width(), images.at(1).height()), QSizeF(40, 30));
    }
}

} // namespace

void TestRtfProducers::keepsTheSourcePage_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("sizesAndColour");
    QTest::addColumn<bool>("rightAligned");
    QTest::addColumn<bool>("lists");
    QTest::addColumn<bool>("pictureSizes");
    QTest::addColumn<bool>("boldInCell");
    QTest::newRow("LibreOffice") << "libreoffice.rtf" << true << true << true << true << true;
    // AbiWord scales its picture goal sizes a second time (\picscalex200)
    // and writes the bold word of the table as plain text.
    QTest::newRow("AbiWord") << "abiword.rtf" << true << true << true << false << false;
    QTest::newRow("pandoc") << "pandoc.rtf" << false << false << false << true << true;
}

void TestRtfProducers::keepsTheSourcePage() {
    QFETCH(QString, file);
    QFETCH(bool, sizesAndColour);
    QFETCH(bool, rightAligned);
    QFETCH(bool, lists);
    QFETCH(bool, pictureSizes);
    QFETCH(bool, boldInCell);
    const Expected expected{sizesAndColour, rightAligned, lists, pictureSizes, boldInCell};

    QTextDocument original;
    QStringList unkept;
    QVERIFY(RtfReader::read(producerFile(file), &original, &unkept));
    QCOMPARE(unkept, QStringList());
    checkSourcePage(original, expected);

    const QByteArray written = RtfWriter::write(&original);
    QVERIFY(written.contains("{\\pict\\pngblip"));
    QVERIFY(written.contains("{\\pict\\jpegblip"));
    QVERIFY(written.contains("\\trowd"));
    QVERIFY(written.contains("\\intbl"));

    QTextDocument again;
    QVERIFY(RtfReader::read(written, &again, &unkept));
    QCOMPARE(unkept, QStringList());
    checkSourcePage(again, expected);
    QCOMPARE(rtfSignature(again), rtfSignature(original));
    QCOMPARE(rtfCellTexts(*rtfTables(again).first()), rtfCellTexts(*rtfTables(original).first()));
    // The next save writes the same bytes.
    QCOMPARE(RtfWriter::write(&again), written);
}

QTEST_MAIN(TestRtfProducers)
#include "tst_rtfproducers.moc"
