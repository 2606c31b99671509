#include "RtfStructure.h"
#include "RtfTestSupport.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QImage>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

// Tables, pictures and the groups the editor cannot show: read into the
// document, written back, and what cannot be kept is named.
class TestRtfStructure : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tableCellsWidthsAndTextAround();
    void rowDefinitionRestatedBeforeTheRowEnd();
    void picturesShowAtTheirSize();
    void pastedImageIsSavedAsPng();
    void keptGroupsComeBackByteForByte();
    void fieldIsKeptOnlyWhole();
    void unkeptContentIsNamed_data();
    void unkeptContentIsNamed();
};

namespace {

struct Read {
    std::unique_ptr<QTextDocument> document = std::make_unique<QTextDocument>();
    QStringList unkept;
};

Read readKeeping(const QByteArray& rtf) {
    Read read;
    if (!RtfReader::read(rtf, read.document.get(), &read.unkept))
        qWarning("not read as RTF: %s", rtf.left(40).constData());
    return read;
}

// Read, write, read again: the second document must equal the first, and
// saving it again must give the same bytes. Callers stop when it failed.
void roundTrip(const QTextDocument& document, QByteArray* written) {
    *written = RtfWriter::write(&document);
    const Read again = readKeeping(*written);
    QCOMPARE(rtfSignature(*again.document), rtfSignature(document));
    QCOMPARE(RtfWriter::write(again.document.get()), *written);
}

QList<qreal> columnWidths(const QTextTable& table) {
    QList<qreal> widths;
    for (const QTextLength& length : table.format().columnWidthConstraints())
        widths.append(length.type() == QTextLength::FixedLength ? length.rawValue() : -1);
    return widths;
}

// A 2×1 PNG: one red pixel, one blue.
QByteArray tinyPng() {
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 0, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

void TestRtfStructure::tableCellsWidthsAndTextAround() {
    const Read read = readKeeping(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}before\\par\\trowd\\trleft0\\cellx1440\\cellx4320"
        "\\pard\\intbl {\\b A1}\\cell A2 line1\\par A2 line2\\cell\\row"
        "\\trowd\\cellx1440\\cellx4320\\pard\\intbl B1\\cell\\cell\\row\\pard\\qc after\\par}");
    const QTextDocument& document = *read.document;
    QCOMPARE(read.unkept, QStringList());
    const QList<QTextTable*> tables = rtfTables(document);
    QCOMPARE(tables.size(), 1);
    QCOMPARE(rtfCellTexts(*tables.first()), (QStringList{"A1", "A2 line1\nA2 line2", "B1", ""}));
    // 1440 twips are an inch, 96 pixels.
    QCOMPARE(columnWidths(*tables.first()), (QList<qreal>{96, 192}));
    QVERIFY(document.find(QStringLiteral("A1")).charFormat().fontWeight() >= QFont::Bold);
    QVERIFY(document.find(QStringLiteral("B1")).charFormat().fontWeight() < QFont::Bold);
    QCOMPARE(document.begin().text(), QStringLiteral("before"));
    QCOMPARE(document.lastBlock().text(), QStringLiteral("after"));
    QCOMPARE(document.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    QVERIFY(!QTextCursor(document.lastBlock()).currentTable());

    QByteArray written;
    roundTrip(document, &written);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(written.contains("\\cellx1440"));
    QVERIFY(written.contains("\\cellx4320"));
    QCOMPARE(written.count("\\row"), 2);
    QCOMPARE(written.count("\\cell\\") + written.count("\\cell\n"), 4);
    const Read again = readKeeping(written);
    QCOMPARE(rtfCellTexts(*rtfTables(*again.document).first()), rtfCellTexts(*tables.first()));
    QCOMPARE(columnWidths(*rtfTables(*again.document).first()), (QList<qreal>{96, 192}));
}

void TestRtfStructure::rowDefinitionRestatedBeforeTheRowEnd() {
    // Word 2007 and later: the row definition comes first and again in a
    // group with \row; the one in force at \row gives the widths.
    const Read read = readKeeping(rtfSample("word_unicode.rtf"));
    const QList<QTextTable*> tables = rtfTables(*read.document);
    QCOMPARE(tables.size(), 1);
    QCOMPARE(rtfCellTexts(*tables.first()), (QStringList{"A1", "B1"}));
    QCOMPARE(columnWidths(*tables.first()), (QList<qreal>{4261 / 15.0, 4261 / 15.0}));
    QByteArray written;
    roundTrip(*read.document, &written);
}

void TestRtfStructure::picturesShowAtTheirSize() {
    const QByteArray png = tinyPng();
    const QByteArray damaged = "{\\pict\\jpegblip\\bin4 \xFF\xD8}}x}";
    const Read read = readKeeping(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}a{\\pict\\pngblip\\picw2\\pich1\\picwgoal300\\pichgoal150"
        "\\picscalex50\n" +
        png.toHex() + "}b{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + ' ' + png +
        "}c" + damaged + "d}");
    QCOMPARE(read.unkept, QStringList());
    QCOMPARE(read.document->toPlainText(), QStringLiteral("a\uFFFCb\uFFFCc\uFFFCd"));
    // \bin data is the picture's bytes, braces and all; a picture that does
    // not decode is kept as it was, not shown.
    QCOMPARE(rtfPictureBytes(*read.document), (QByteArrayList{png, png}));
    const QTextImageFormat image = rtfImages(*read.document).first();
    QCOMPARE(image.width(), 10.0); // 300 twips at 50 %
    QCOMPARE(image.height(), 10.0);
    QVERIFY(!rtfImages(*read.document).last().hasProperty(QTextFormat::ImageWidth));

    QByteArray written;
    roundTrip(*read.document, &written);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(written.contains("{\\pict\\pngblip\\picw2\\pich1\\picwgoal150\\pichgoal150\n" +
                             png.toHex().left(128) + '\n'));
    QVERIFY(written.contains("{\\pict\\pngblip\\picw2\\pich1\n" + png.toHex().left(128)));
    QVERIFY(written.contains(damaged));
}

void TestRtfStructure::pastedImageIsSavedAsPng() {
    QTextDocument document;
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(0, 128, 0));
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pasted.png")), image);
    QTextImageFormat format;
    format.setName(QStringLiteral("pasted.png"));
    QTextCursor(&document).insertImage(format);

    const QByteArray written = RtfWriter::write(&document);
    QVERIFY(written.contains("{\\pict\\pngblip\\picw3\\pich2\n89504e47"));
    const QByteArrayList pictures = rtfPictureBytes(*readKeeping(written).document);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(QImage::fromData(pictures.first()).convertToFormat(QImage::Format_RGB32), image);
}

void TestRtfStructure::keptGroupsComeBackByteForByte() {
    const QByteArray file = rtfSample("kept_groups.rtf");
    const Read read = readKeeping(file);
    QCOMPARE(read.unkept, QStringList());
    QCOMPARE(rtfBlockTexts(*read.document),
             (QStringList{"\uFFFCMetafile: \uFFFC", "Object: \uFFFC", "Page \uFFFC and note\uFFFC",
                          "\uFFFCMarked\uFFFC text.", "Drawing \uFFFC"}));

    QByteArray written;
    roundTrip(*read.document, &written);
    if (QTest::currentTestFailed())
        return;
    // Each group as the file has it, cut out at its braces by hand.
    const QList<QByteArray> groups = {
        "{\\info{\\title Notes}{\\author Li}}",
        "{\\header \\pard\\qc Page header\\par}",
        "{\\pict\\wmetafile8\\picw100\\pich100\\picwgoal600\\pichgoal600 "
        "0100090000030e00000000000400000000000500}",
        "{\\object\\objemb\\objw600\\objh400{\\*\\objclass Paint.Picture}"
        "{\\*\\objdata 01050000020000000b000000}{\\result {\\pict\\emfblip\\picw10\\pich10 "
        "0100000064000000}}}",
        "{\\field{\\*\\fldinst { PAGE }}{\\fldrslt {1}}}",
        "{\\footnote\\pard\\plain{\\super\\chftn} A footnote.}",
        "{\\*\\bkmkstart here}",
        "{\\*\\bkmkend here}",
        "{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright100\\shpbottom100"
        "{\\sp{\\sn shapeType}{\\sv 1}}}}",
    };
    for (const QByteArray& group : groups) {
        QVERIFY2(file.contains(group), group.constData());
        QVERIFY2(written.count(group) == 1, group.constData());
    }
    // The document's own group stays in the header, before the text.
    QVERIFY(written.indexOf(groups.first()) < written.indexOf("\\viewkind4"));
}

void TestRtfStructure::fieldIsKeptOnlyWhole() {
    // A field's group is kept raw only when it holds nothing but the field
    // before its instruction; kept with text in front, saving would write
    // that text twice, so the file is named as holding what cannot be kept.
    const Read whole = readKeeping("{\\rtf1 a{\\field{\\*\\fldinst DATE}{\\fldrslt 2024}}b}");
    QCOMPARE(whole.document->toPlainText(), QStringLiteral("a\uFFFCb"));
    const Read begun =
        readKeeping("{\\rtf1{\\fonttbl{\\f0 A;}}a{x{\\*\\fldinst DATE}{\\fldrslt 2024}}b}");
    QCOMPARE(begun.document->toPlainText(), QStringLiteral("ax2024b"));
    QCOMPARE(begun.unkept, QStringList{"格式有误的对象"});
    QByteArray written;
    roundTrip(*begun.document, &written);
    QVERIFY(!written.contains("fldinst"));

    // Nor when reading it changed what the whole document shares: its bytes,
    // read on the next open, would not change it again.
    const Read shared = readKeeping("{\\rtf1{\\fonttbl{\\f0 A;}}a{\\field{\\*\\fldinst "
                                    "{\\fonttbl{\\f0 B;}} DATE}{\\fldrslt 2024}}b}");
    QCOMPARE(shared.document->toPlainText(), QStringLiteral("a2024b"));
    QCOMPARE(shared.unkept, QStringList{"格式有误的对象"});

    // Nor a group that is not a field's, here one whose text was hidden.
    const Read hidden = readKeeping("{\\rtf1 a{\\v{h{\\*\\fldinst DATE}{\\fldrslt 1}}}b}");
    QCOMPARE(hidden.unkept, (QStringList{"隐藏文字", "格式有误的对象"}));
}

void TestRtfStructure::unkeptContentIsNamed_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("kinds");
    QTest::newRow("nested table, Word 2000 and later")
        << QByteArray("{\\rtf1\\trowd\\cellx2000\\pard\\intbl\\itap1 outer"
                      "\\pard\\intbl\\itap2 inner\\nestcell{\\*\\nesttableprops\\trowd\\cellx900"
                      "\\nestrow}{\\nonesttables\\par}\\pard\\intbl\\itap1\\cell\\row}")
        << QStringList{"嵌套表格"};
    QTest::newRow("vertically merged cells")
        << QByteArray("{\\rtf1\\trowd\\clvmgf\\cellx2000\\pard\\intbl a\\cell\\row"
                      "\\trowd\\clvmrg\\cellx2000\\pard\\intbl\\cell\\row}")
        << QStringList{"合并单元格"};
    QTest::newRow("rows of different widths, as Word merges across")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
                      "\\trowd\\cellx2000\\pard\\intbl ab\\cell\\row}")
        << QStringList{"不规则表格"};
    QTest::newRow("a picture named after text of its group")
        << QByteArray("{\\rtf1 a{)\\pict\\emfblip 0100}b}") << QStringList{"格式有误的对象"};
    QTest::newRow("table words inside a field instruction are not a table")
        << QByteArray("{\\rtf1 a{\\field{\\*\\fldinst DATE\\itap2\\clvmgf\\cell}{\\fldrslt 1}}b}")
        << QStringList{};
    QTest::newRow("an instruction named after text of its group")
        << QByteArray("{\\rtf1 a{\\field{x\\*\\fldinst DATE}{\\fldrslt 1}}b}")
        << QStringList{"格式有误的对象"};
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 shown{\\v secret}\\par}")
                                 << QStringList{"隐藏文字"};
    QTest::newRow("hidden blanks hide nothing")
        << QByteArray("{\\rtf1 shown{\\v  }\\par}") << QStringList{};
    QTest::newRow("a file cut inside an object")
        << QByteArray("{\\rtf1 a{\\object{\\*\\objdata 0102") << QStringList{"不完整的对象"};
    QTest::newRow("each kind once, in the order met")
        << QByteArray("{\\rtf1{\\v x}\\trowd\\clmgf\\cellx9\\clmrg\\cellx20\\intbl a\\cell"
                      "\\cell\\row{\\v y}}")
        << QStringList{"隐藏文字", "合并单元格"};
}

void TestRtfStructure::unkeptContentIsNamed() {
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, kinds);
    QCOMPARE(readKeeping(rtf).unkept, kinds);
}

QTEST_MAIN(TestRtfStructure)
#include "tst_rtfstructure.moc"
