#include "RtfTestSupport.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfTemplate.h"
#include "rtf/RtfWriter.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

#include <memory>

class TestRtfWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void documentShape();
    void templateSurvivesWriting();
    void chineseIsExactAndReadableByOldReaders();
    void bulletsAsWordPadWritesThem();
    void textNextToControlWords();
    void roundTripKeepsTextAndFormatting();
    void samplesSurviveReadWriteRead();
    void namesTheFileCannotHoldAreWrittenOnce();
    void fragmentBoundariesLeaveNoTrace();
};

namespace {

QTextCharFormat font(const QString& family, qreal size) {
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(size);
    return f;
}

std::unique_ptr<QTextDocument> reread(const QByteArray& rtf) {
    auto document = std::make_unique<QTextDocument>();
    if (!RtfReader::read(rtf, document.get()))
        qWarning("written bytes are not RTF");
    return document;
}

bool bracesBalance(const QByteArray& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

// Every kind of formatting the editor offers, in Chinese and Latin text.
std::unique_ptr<QTextDocument> richDocument() {
    auto document = std::make_unique<QTextDocument>();
    QTextCursor c(document.get());
    const QTextCharFormat song = font(QStringLiteral("宋体"), 10.5);
    const QTextCharFormat arial = font(QStringLiteral("Arial"), 12);

    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    QTextCharFormat title = song;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(18);
    title.setForeground(QColor(0xC0, 0, 0));
    c.insertText(QStringLiteral("会议记录 Minutes"), title);

    QTextBlockFormat indented;
    indented.setAlignment(Qt::AlignJustify);
    indented.setLeftMargin(48);
    indented.setTextIndent(-24);
    indented.setRightMargin(10);
    indented.setTopMargin(4);
    indented.setBottomMargin(8);
    indented.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    c.insertBlock(indented, song);
    c.insertText(QStringLiteral("中文和English混排，€Ω"), song);
    QTextCharFormat f = arial;
    f.setFontItalic(true);
    c.insertText(QStringLiteral("café “q” 中文 Ω 😀𠀀"), f);
    f = arial;
    f.setFontUnderline(true);
    f.setFontStrikeOut(true);
    c.insertText(QStringLiteral("gone"), f);
    f = arial;
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText(QStringLiteral("2"), f);
    f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    c.insertText(QStringLiteral("x"), f);
    f = song;
    f.setBackground(QColor(255, 255, 0));
    c.insertText(QStringLiteral("标记"), f);
    c.insertText(QStringLiteral("a\\b{c}\td\u2028e\u00A0f\u00ADg\u2011h"), arial);

    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    right.setLineHeight(20, QTextBlockFormat::FixedHeight);
    c.insertBlock(right, song);
    c.insertText(QStringLiteral("见"), song);
    f = song;
    f.setAnchor(true);
    // In a Chinese font, so é has other bytes than in code page 1252.
    f.setAnchorHref(QStringLiteral("https://例子.cn/路径?q=1&r=2&café"));
    f.setFontUnderline(true);
    f.setForeground(QColor(0, 0, 255));
    c.insertText(QStringLiteral("链接"), f);
    c.insertText(QStringLiteral("。"), song);

    const auto item = [&](QTextListFormat::Style style, int indent, const QString& text) {
        QTextList* previous = c.currentList();
        c.insertBlock(QTextBlockFormat(), song);
        QTextListFormat list;
        list.setStyle(style);
        list.setIndent(indent);
        if (previous && previous->format().style() == style &&
            previous->format().indent() == indent)
            previous->add(c.block());
        else
            c.createList(list);
        c.insertText(text, song);
    };
    item(QTextListFormat::ListDisc, 1, QStringLiteral("第一项"));
    item(QTextListFormat::ListDisc, 1, QStringLiteral("第二项"));
    item(QTextListFormat::ListCircle, 2, QStringLiteral("子项"));
    item(QTextListFormat::ListSquare, 3, QStringLiteral("孙项"));
    item(QTextListFormat::ListDecimal, 1, QStringLiteral("one"));
    item(QTextListFormat::ListDecimal, 1, QStringLiteral("two"));
    item(QTextListFormat::ListLowerAlpha, 1, QStringLiteral("alpha"));
    item(QTextListFormat::ListUpperRoman, 1, QStringLiteral("roman"));

    c.insertBlock(QTextBlockFormat(), font(QStringLiteral("黑体"), 20));
    c.insertBlock(QTextBlockFormat(), song);
    c.insertText(QStringLiteral("end"), song);
    return document;
}

} // namespace

void TestRtfWriter::documentShape() {
    QTextDocument empty;
    const QByteArray rtf = RtfWriter::write(&empty);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0"));
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 "));
    QVERIFY(rtf.endsWith("\\par\n}\n"));
    QVERIFY(bracesBalance(rtf));
    QCOMPARE(rtfBlockTexts(*reread(rtf)), QStringList{QString()});
    QCOMPARE(RtfWriter::write(nullptr), QByteArray());

    const QByteArray rich = RtfWriter::write(richDocument().get());
    QVERIFY(bracesBalance(rich));
    // Everything outside \uN fallbacks is 7-bit, so no transport mangles it.
    QVERIFY(std::all_of(rich.begin(), rich.end(), [](char c) { return uchar(c) < 0x80; }));
    QVERIFY(rich.contains("{\\colortbl ;\\red192\\green0\\blue0;"));
}

void TestRtfWriter::templateSurvivesWriting() {
    QTextDocument document;
    QVERIFY(RtfReader::read(RtfTemplate::bytes(), &document));
    const QByteArray rtf = RtfWriter::write(&document);
    QVERIFY(rtf.contains("{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"));
    QVERIFY(rtf.contains("\\fs20"));
    QCOMPARE(rtfSignature(*reread(rtf)), rtfSignature(document));
}

void TestRtfWriter::chineseIsExactAndReadableByOldReaders() {
    QTextDocument document;
    QTextCursor c(&document);
    c.insertText(QStringLiteral("中文，€ café Ω😀"), font(QStringLiteral("宋体"), 12));
    c.insertBlock();
    c.insertText(QStringLiteral("Arial: café “q” 中文 Ω 😀"), font(QStringLiteral("Arial"), 12));
    const QByteArray rtf = RtfWriter::write(&document);

    QVERIFY(rtf.contains("\\uc2\\u20013\\'d6\\'d0\\u25991\\'ce\\'c4"));
    QVERIFY(rtf.contains("\\u8364\\'80")); // the euro where code page 936 has it
    QVERIFY(rtf.contains("\\uc1\\u-10179?\\u-8704?"));
    QVERIFY(rtf.contains("\\u233\\'e9")); // é in Arial: code page 1252
    QVERIFY(rtf.contains("\\fcharset0 Arial;"));
    QVERIFY(rtf.contains("\\fcharset134 Arial;")); // Arial's Chinese-charset entry
    QCOMPARE(rtfBlockTexts(*reread(rtf)), rtfBlockTexts(document));

    // A reader that knows no \uN reads the fallback bytes by font charset.
    QString old = QString::fromLatin1(rtf);
    old.remove(QRegularExpression(QStringLiteral(R"((?<!\\)\\u-?\d+)")));
    QStringList expected = rtfBlockTexts(document);
    expected.replaceInStrings(QStringLiteral("😀"), QStringLiteral("??"));
    QCOMPARE(rtfBlockTexts(*reread(old.toLatin1())), expected);
}

void TestRtfWriter::bulletsAsWordPadWritesThem() {
    QTextDocument document;
    QTextCursor c(&document);
    c.insertText(QStringLiteral("before"), font(QStringLiteral("宋体"), 10));
    c.insertBlock();
    c.createList(QTextListFormat::ListDisc);
    c.insertText(QStringLiteral("one"));
    c.insertBlock();
    c.insertText(QStringLiteral("two"));
    const QByteArray rtf = RtfWriter::write(&document);

    QVERIFY(rtf.contains("{\\f1\\fnil\\fcharset2 Symbol;}"));
    QVERIFY(
        rtf.contains("\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0"
                     "{\\pntxtb\\'B7}}\\fi-360\\li720 one\\par\n{\\pntext\\f1\\'B7\\tab}two\\par"));
    QCOMPARE(rtf.count("\\pn\\pnlvlblt"), 1);
    const auto back = reread(rtf);
    QCOMPARE(rtfBlockTexts(*back), (QStringList{"before", "one", "two"}));
    QVERIFY(!back->begin().textList());
    QCOMPARE(back->lastBlock().textList()->count(), 2);
}

void TestRtfWriter::textNextToControlWords() {
    // Text that starts with a digit, blank, hyphen or letter after a control
    // word must not be taken into it.
    QTextDocument document;
    QTextCursor c(&document);
    const QTextCharFormat plain = font(QStringLiteral("Arial"), 12);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("x"), plain);
    c.insertText(QStringLiteral("2nd"), bold);
    c.insertText(QStringLiteral(" lead"), plain);
    c.insertText(QStringLiteral("-dash"), bold);
    c.insertText(QStringLiteral("\t9"), plain);
    c.insertText(QStringLiteral("中1"), bold);
    const QByteArray rtf = RtfWriter::write(&document);
    QVERIFY(rtf.contains("\\b 2nd\\b0  lead\\b -dash\\b0\\tab 9"));
    QCOMPARE(rtfSignature(*reread(rtf)), rtfSignature(document));
}

void TestRtfWriter::roundTripKeepsTextAndFormatting() {
    const auto document = richDocument();
    const QByteArray rtf = RtfWriter::write(document.get());
    const auto back = reread(rtf);
    QCOMPARE(rtfSignature(*back), rtfSignature(*document));
    // Nothing drifts on the next save either.
    QCOMPARE(RtfWriter::write(back.get()), rtf);
}

void TestRtfWriter::samplesSurviveReadWriteRead() {
    for (const char* name : {"wordpad_zh.rtf", "word_unicode.rtf"}) {
        QTextDocument document;
        QVERIFY(RtfReader::read(rtfSample(name), &document));
        const QByteArray rtf = RtfWriter::write(&document);
        QCOMPARE(rtfSignature(*reread(rtf)), rtfSignature(document));
    }
}

void TestRtfWriter::namesTheFileCannotHoldAreWrittenOnce() {
    // A ';' ends a font table entry, a '"' a link target, and control
    // characters are not written: names that differ only in those make one
    // font and one link, or the next save of what was read back would differ.
    QTextDocument document;
    QTextCursor c(&document);
    c.insertText(QStringLiteral("a"), font(QStringLiteral("Fira;Sans"), 12));
    c.insertText(QStringLiteral("b"), font(QStringLiteral("Fira\tSans"), 12));
    for (const char* href :
         {"https://a.cn/\"q\"", "https://a.cn/%22q%22", "https://a.cn/\t%22q%22"}) {
        QTextCharFormat link = font(QStringLiteral("FiraSans"), 12);
        link.setAnchor(true);
        link.setAnchorHref(QString::fromLatin1(href));
        c.insertText(QStringLiteral("link"), link);
    }
    const QByteArray rtf = RtfWriter::write(&document);
    QCOMPARE(rtf.count(" FiraSans;}"), 1);
    QCOMPARE(rtf.count("HYPERLINK"), 1);
    QCOMPARE(RtfWriter::write(reread(rtf).get()), rtf);
}

void TestRtfWriter::fragmentBoundariesLeaveNoTrace() {
    // Text cut into fragments by what the file does not keep (a tool tip)
    // reads back as one fragment, so it must be written as one: the Chinese
    // character's charset entry of Arial goes on into the tab and the digit.
    QTextDocument document;
    QTextCursor c(&document);
    const QTextCharFormat arial = font(QStringLiteral("Arial"), 12);
    QTextCharFormat tip = arial;
    tip.setToolTip(QStringLiteral("x"));
    c.insertText(QStringLiteral("a中"), arial);
    c.insertText(QStringLiteral("\t1"), tip);
    const QByteArray rtf = RtfWriter::write(&document);
    QVERIFY(rtf.contains("\\'d6\\'d0\\tab 1"));
    QCOMPARE(RtfWriter::write(reread(rtf).get()), rtf);
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
