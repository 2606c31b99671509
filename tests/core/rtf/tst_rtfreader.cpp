#include "RtfTestSupport.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfTemplate.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include <memory>

class TestRtfReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void templateIsAnEmptySongtiPage();
    void wordpadChineseFile();
    void wordFileWithUnicodeAndTables();
    void codePageFollowsFontCharset_data();
    void codePageFollowsFontCharset();
    void unicodeFallbackIsSkipped_data();
    void unicodeFallbackIsSkipped();
    void escapesAndSpecialCharacters();
    void characterFormattingFollowsGroups();
    void asianFormattingAfterDbch();
    void paragraphFormatting();
    void listsFromPnAndLs();
    void linkResultsAreText_data();
    void linkResultsAreText();
    void skippedDestinations();
    void paragraphBreaks_data();
    void paragraphBreaks();
    void refusesWhatIsNotRtf();
    void insertIsOnePasteStep();
};

namespace {

QString family(const QTextCharFormat& format) {
    return format.fontFamilies().toStringList().value(0);
}

} // namespace

void TestRtfReader::templateIsAnEmptySongtiPage() {
    const QByteArray bytes = RtfTemplate::bytes();
    QCOMPARE(bytes.size(), 156);
    QVERIFY(bytes.startsWith("{\\rtf1"));
    QVERIFY(bytes.endsWith("\\par }\n"));
    QCOMPARE(bytes.count('\n'), 3);

    const auto document = load(bytes);
    QCOMPARE(document->blockCount(), 1);
    QVERIFY(document->isEmpty());
    QCOMPARE(family(document->begin().charFormat()), QStringLiteral("宋体"));
    QCOMPARE(document->begin().charFormat().fontPointSize(), 10.0);
    QVERIFY(!document->isModified());
}

void TestRtfReader::wordpadChineseFile() {
    const auto document = load(rtfSample("wordpad_zh.rtf"));
    QCOMPARE(
        rtfBlockTexts(*document),
        (QStringList{QStringLiteral("会议记录"), QStringLiteral("今天讨论了 Keepsake 的描述文件。"),
                     QStringLiteral("第一项"), QStringLiteral("第二项"), QStringLiteral("Right")}));

    QTextBlock block = document->begin();
    QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat title = formatOf(*document, QStringLiteral("会议"));
    QVERIFY(title.fontWeight() >= QFont::Bold);
    QCOMPARE(title.fontPointSize(), 16.0);
    QCOMPARE(family(title), QStringLiteral("宋体"));

    block = block.next();
    QCOMPARE(block.blockFormat().lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(block.blockFormat().lineHeight(), 115.0);
    QCOMPARE(qRound(block.blockFormat().bottomMargin() * 15), 200);
    QCOMPARE(family(formatOf(*document, QStringLiteral("Keepsake"))), QStringLiteral("Arial"));
    QCOMPARE(family(formatOf(*document, QStringLiteral("的"))), QStringLiteral("宋体"));
    const QTextCharFormat red = formatOf(*document, QStringLiteral("描述"));
    QCOMPARE(red.foreground().color(), QColor(255, 0, 0));
    QVERIFY(red.fontItalic());
    QVERIFY(formatOf(*document, QStringLiteral("。")).foreground().style() == Qt::NoBrush);
    QVERIFY(formatOf(*document, QStringLiteral("今天")).fontWeight() < QFont::Bold);

    const QTextBlock first = block.next();
    const QTextBlock second = first.next();
    QVERIFY(first.textList());
    QCOMPARE(first.textList(), second.textList());
    QCOMPARE(first.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(first.blockFormat().leftMargin(), 0.0); // the list indents, not the margin
    QVERIFY(formatOf(*document, QStringLiteral("第二")).fontUnderline());
    QVERIFY(!formatOf(*document, QStringLiteral("第一")).fontUnderline());

    const QTextBlock right = second.next();
    QVERIFY(!right.textList());
    QCOMPARE(right.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(formatOf(*document, QStringLiteral("Right")).background().color(), QColor(0, 77, 187));
}

void TestRtfReader::wordFileWithUnicodeAndTables() {
    const auto document = load(rtfSample("word_unicode.rtf"));
    QCOMPARE(rtfBlockTexts(*document),
             (QStringList{// the header and footer, then the two bookmarks, are kept groups
                          QStringLiteral("\uFFFC\uFFFC你好, world 世界😀€ —‘x’\u00A0y\u2011z繁體"
                                         "\uFFFC\uFFFC"),
                          QStringLiteral("See example.\uFFFC"), QStringLiteral("苹果"),
                          QStringLiteral("香蕉"), QStringLiteral("First"), QStringLiteral("Second"),
                          QStringLiteral("A1"), QStringLiteral("B1"), // the table's cells
                          QStringLiteral("gone23mark")}));

    const QTextCharFormat hello = formatOf(*document, QStringLiteral("你好"));
    QVERIFY(hello.fontWeight() >= QFont::Bold);
    QCOMPARE(family(hello), QStringLiteral("宋体"));
    QCOMPARE(hello.fontPointSize(), 10.5);
    QCOMPARE(family(formatOf(*document, QStringLiteral("world"))), QStringLiteral("Calibri"));

    const QTextCharFormat link = formatOf(*document, QStringLiteral("example"));
    QVERIFY(link.isAnchor());
    QCOMPARE(link.anchorHref(), QStringLiteral("https://example.com/a?b=1"));
    QVERIFY(link.fontUnderline());
    QCOMPARE(link.foreground().color(), QColor(0, 0, 255));
    QVERIFY(!formatOf(*document, QStringLiteral(".")).isAnchor());
    QVERIFY(!formatOf(*document, QStringLiteral("See")).isAnchor());

    const QTextBlock apple = document->findBlockByNumber(2);
    QVERIFY(apple.textList());
    QCOMPARE(apple.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(apple.next().textList(), apple.textList());
    const QTextBlock firstItem = document->findBlockByNumber(4);
    QVERIFY(firstItem.textList());
    QVERIFY(firstItem.textList() != apple.textList());
    QCOMPARE(firstItem.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(firstItem.textList()->count(), 2);
    QVERIFY(!document->findBlockByNumber(6).textList());

    QVERIFY(formatOf(*document, QStringLiteral("gone")).fontStrikeOut());
    QCOMPARE(formatOf(*document, QStringLiteral("2")).verticalAlignment(),
             QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(*document, QStringLiteral("3")).verticalAlignment(),
             QTextCharFormat::AlignSubScript);
    QCOMPARE(formatOf(*document, QStringLiteral("mark")).background().color(), QColor(255, 255, 0));
    QCOMPARE(document->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
}

void TestRtfReader::codePageFollowsFontCharset_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::newRow("document code page for a font without charset")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil Foo;}}\\f0 \\'d6\\'d0\\'ce\\'c4}")
        << QStringLiteral("中文");
    QTest::newRow("charset 0 is 1252 even in a 936 document")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\\f0 "
                      "caf\\'e9 \\'93q\\'94}")
        << QStringLiteral("café “q”");
    QTest::newRow("no code page given is 1252")
        << QByteArray("{\\rtf1\\ansi caf\\'e9}") << QStringLiteral("café");
    QTest::newRow("charset 134 in a Western document")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset134 B;}}"
               "\\f1\\'d6\\'d0\\f0\\'e9}")
        << QStringLiteral("中é");
    QTest::newRow("Big5 trail byte written as a letter")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset136 PMingLiU;}}\\f0\\'c1c\\'c5\\'e9}")
        << QStringLiteral("繁體");
    QTest::newRow("Shift-JIS trail byte that is a brace")
        << QByteArray(
               "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0\\'93\\'fa\\'96\\'7b}")
        << QStringLiteral("日本");
    QTest::newRow("Cyrillic")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0\\'cf\\'f0\\'e8}")
        << QStringLiteral("При");
    QTest::newRow("\\cpg wins over the charset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0\\cpg936 X;}}\\f0\\'d6\\'d0}")
        << QStringLiteral("中");
    QTest::newRow("euro of code page 936")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'80\\'d6\\'d0}") << QStringLiteral("€中");
    QTest::newRow("default font taken from \\deff")
        << QByteArray("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset134 "
                      "B;}}\\'d6\\'d0}")
        << QStringLiteral("中");
    QTest::newRow("font table without groups, as TextEdit writes it")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss\\fcharset0 "
                      "Helvetica;\\f1\\fnil\\fcharset134 STSong;}"
                      "\\f1\\'d6\\'d0\\f0\\'e9}")
        << QStringLiteral("中é");
    QTest::newRow("a cut double-byte character takes nothing with it")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d6\\par \\'d6\\'d0}") << QStringLiteral("\n中");
}

void TestRtfReader::codePageFollowsFontCharset() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(text(rtf), expected);
}

void TestRtfReader::unicodeFallbackIsSkipped_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("default of one") << QByteArray("\\u20320?abc") << QStringLiteral("你abc");
    QTest::newRow("two GBK bytes")
        << QByteArray("\\uc2\\u20320\\'c4\\'e3abc") << QStringLiteral("你abc");
    QTest::newRow("none") << QByteArray("\\uc0\\u20320 abc") << QStringLiteral("你abc");
    QTest::newRow("negative number")
        << QByteArray("\\u-28009?") << QString(QChar(char16_t(65536 - 28009)));
    QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << QStringLiteral("😀");
    QTest::newRow("code point beyond 16 bits") << QByteArray("\\u128512?") << QStringLiteral("😀");
    QTest::newRow("group end stops skipping")
        << QByteArray("{\\uc3\\u20320}ab") << QStringLiteral("你ab");
    QTest::newRow("control word counts as one")
        << QByteArray("\\u8364\\emdash x") << QStringLiteral("€x");
    QTest::newRow("skip inside a text run")
        << QByteArray("\\uc3\\u20320abcd") << QStringLiteral("你d");
    QTest::newRow("\\uc is group scoped")
        << QByteArray("{\\uc2}\\u20320?x") << QStringLiteral("你x");
    QTest::newRow("in a font name")
        << QByteArray("{\\fonttbl{\\f0 \\u23435?\\u20307?;}}\\f0 a") << QStringLiteral("a");
}

void TestRtfReader::unicodeFallbackIsSkipped() {
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    const auto document = load("{\\rtf1\\ansi\\ansicpg936 " + body + "}");
    QCOMPARE(rtfBlockTexts(*document).join(u'\n'), expected);
    if (body.contains("fonttbl"))
        QCOMPARE(family(formatOf(*document, QStringLiteral("a"))), QStringLiteral("宋体"));
}

void TestRtfReader::escapesAndSpecialCharacters() {
    QCOMPARE(text("{\\rtf1 a\\\\b\\{c\\}d\\~e\\-f\\_g\\emdash\\endash\\bullet\\lquote\\rquote"
                  "\\ldblquote\\rdblquote\\tab h\\line i}"),
             QStringLiteral("a\\b{c}d\u00A0e\u00ADf\u2011g—–•‘’“”\th\u2028i"));
    // Line breaks in the file are not text; an escaped one is a paragraph.
    QCOMPARE(text("{\\rtf1 x\r\ny\\\nz}"), QStringLiteral("xy\nz"));
    QCOMPARE(text("{\\rtf1 keep  two\tspaces}"), QStringLiteral("keep  two\tspaces"));
    QCOMPARE(text("{\\rtf1 \\b1bold\\b0 x}"), QStringLiteral("boldx")); // the number ends the word
    QCOMPARE(text("{\\rtf1 a\\'4x\\'zb}"), QStringLiteral("axzb")); // broken escapes carry nothing
    QCOMPARE(text("{\\rtf1 a\x01\x02"
                  "b}"),
             QStringLiteral("ab"));
    // Nor are control characters that a code page decodes bytes to.
    QCOMPARE(text("{\\rtf1\\pc a\x7f\x81"
                  "b}"),
             QStringLiteral("a\u00FCb"));
}

void TestRtfReader::characterFormattingFollowsGroups() {
    const auto document = load(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "\\b bold\\b0  \\i it\\i0  \\ul ul\\ul0  \\uldb dbl\\ulnone  \\strike st\\strike0  "
        "{\\b grp}after \\f1\\fs40 big\\plain  plain \\cf1 red\\cf0  {\\highlight2 hl}{\\cb1 cb}"
        "{\\super sup}{\\sub sub}{\\v hidden}{\\up6 up}x}");
    QCOMPARE(rtfBlockTexts(*document).join(u'\n'),
             QStringLiteral("bold it ul dbl st grpafter big plain red hlcbsupsubupx"));
    const auto f = [&](const char* t) { return formatOf(*document, QString::fromLatin1(t)); };
    QVERIFY(f("bold").fontWeight() >= QFont::Bold);
    QVERIFY(f("it").fontItalic());
    QVERIFY(f("it").fontWeight() < QFont::Bold);
    QVERIFY(f("ul").fontUnderline());
    QVERIFY(f("dbl").fontUnderline());
    QVERIFY(!f("st").fontUnderline());
    QVERIFY(f("st").fontStrikeOut());
    QVERIFY(f("grp").fontWeight() >= QFont::Bold);
    QVERIFY(f("after").fontWeight() < QFont::Bold);
    QCOMPARE(family(f("big")), QStringLiteral("Courier New"));
    QCOMPARE(f("big").fontPointSize(), 20.0);
    QCOMPARE(family(f("plain")), QStringLiteral("Arial"));
    QCOMPARE(f("plain").fontPointSize(), 12.0);
    QCOMPARE(f("red").foreground().color(), QColor(255, 0, 0));
    QVERIFY(f("hl").foreground().style() == Qt::NoBrush);
    QCOMPARE(f("hl").background().color(), QColor(0, 0, 255));
    QCOMPARE(f("cb").background().color(), QColor(255, 0, 0));
    QCOMPARE(f("sup").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(f("sub").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(f("upx").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(f("x").verticalAlignment(), QTextCharFormat::AlignNormal);
}

void TestRtfReader::asianFormattingAfterDbch() {
    // LibreOffice writes bold or larger Chinese as \ab and \afs after \dbch;
    // they leave Latin letters alone, and after \rtlch or \loch (as Word
    // writes them for right-to-left text) they change nothing.
    const auto document =
        load("{\\rtf1\\uc1{\\fonttbl{\\f0 A;}}{\\dbch\\ab\\ai\\afs40\\dbch \\u31895?\\u20307? x}"
             "{\\rtlch\\ab\\afs40 \\u22823?}{\\dbch\\afs30\\loch\\ab \\u23567?}"
             "{\\dbch\\ab\\plain \\u21069?}}");
    QCOMPARE(rtfBlockTexts(*document).join(u'\n'), QStringLiteral("粗体 x大小前"));
    const QTextCharFormat bold = formatOf(*document, QStringLiteral("粗"));
    QVERIFY(bold.fontWeight() >= QFont::Bold);
    QVERIFY(bold.fontItalic());
    QCOMPARE(bold.fontPointSize(), 20.0);
    const QTextCharFormat latin = formatOf(*document, QStringLiteral("x"));
    QVERIFY(latin.fontWeight() < QFont::Bold);
    QCOMPARE(latin.fontPointSize(), 12.0);
    QVERIFY(formatOf(*document, QStringLiteral("大")).fontWeight() < QFont::Bold);
    QCOMPARE(formatOf(*document, QStringLiteral("大")).fontPointSize(), 12.0);
    QCOMPARE(formatOf(*document, QStringLiteral("小")).fontPointSize(), 15.0);
    QVERIFY(formatOf(*document, QStringLiteral("小")).fontWeight() < QFont::Bold);
    QVERIFY(formatOf(*document, QStringLiteral("前")).fontWeight() < QFont::Bold);
}

void TestRtfReader::paragraphFormatting() {
    const auto document = load("{\\rtf1\\pard\\qc c\\par\\qr r\\par\\qj j\\par"
                               "\\pard\\li720\\fi-360\\ri1440\\sb240\\sa120 ind\\par"
                               "\\sl360\\slmult1 mult\\par\\pard\\sl-300\\slmult0 exact\\par"
                               "\\pard\\sl300\\slmult0 least\\par\\pard back\\par}");
    QCOMPARE(document->blockCount(), 8);
    const auto block = [&](int n) { return document->findBlockByNumber(n).blockFormat(); };
    const auto align = [&](int n) { return block(n).alignment() & Qt::AlignHorizontal_Mask; };
    QCOMPARE(align(0), Qt::AlignHCenter);
    QCOMPARE(align(1), Qt::AlignRight);
    QCOMPARE(align(2), Qt::AlignJustify);
    QCOMPARE(align(3), Qt::AlignLeft);
    QCOMPARE(block(3).leftMargin(), 48.0);
    QCOMPARE(block(3).textIndent(), -24.0);
    QCOMPARE(block(3).rightMargin(), 96.0);
    QCOMPARE(block(3).topMargin(), 16.0);
    QCOMPARE(block(3).bottomMargin(), 8.0);
    QCOMPARE(block(4).leftMargin(), 48.0); // no \pard: the indent holds
    QCOMPARE(block(4).lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(block(4).lineHeight(), 150.0);
    QCOMPARE(block(5).lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(block(5).lineHeight(), 20.0);
    QCOMPARE(block(6).lineHeightType(), int(QTextBlockFormat::MinimumHeight));
    QCOMPARE(block(7).leftMargin(), 0.0);
    QCOMPARE(block(7).lineHeightType(), int(QTextBlockFormat::SingleHeight));
}

void TestRtfReader::listsFromPnAndLs() {
    // WordPad: bullets, a plain paragraph, then a new list.
    auto document =
        load("{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\fcharset2 Symbol;}}"
             "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
             "\\fi-360\\li720 a\\par{\\pntext\\f1\\'B7\\tab}b\\par\\pard plain\\par"
             "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}c\\par}");
    QCOMPARE(rtfBlockTexts(*document), (QStringList{"a", "b", "plain", "c"}));
    QTextList* first = document->begin().textList();
    QVERIFY(first);
    QCOMPARE(first->count(), 2);
    QCOMPARE(first->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(first->format().indent(), 1);
    QVERIFY(!document->findBlockByNumber(2).textList());
    QVERIFY(document->findBlockByNumber(3).textList());
    QVERIFY(document->findBlockByNumber(3).textList() != first);

    // Word 6 numbering.
    document = load("{\\rtf1\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pnindent0\\pnstart1\\pndec"
                    "{\\pntxta.}}\\fi-360\\li720 one\\par{\\pntext 2.\\tab}two\\par"
                    "\\pard{\\*\\pn\\pnlvlbody\\pnucrm{\\pntxta.}}three\\par}");
    QCOMPARE(document->begin().textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(document->begin().textList()->count(), 2);
    QCOMPARE(document->lastBlock().textList()->format().style(), QTextListFormat::ListUpperRoman);

    // Word 97 and later: \ls with \ilvl, the kind told by \listtext.
    document =
        load("{\\rtf1{\\listtext \\'b7\\tab}\\pard\\ls1\\ilvl0 a\\par"
             "{\\listtext o\\tab}\\ls1\\ilvl1 b\\par{\\listtext \\'a7\\tab}\\ls1\\ilvl2 c\\par"
             "{\\listtext \\'b7\\tab}\\ls1\\ilvl0 d\\par{\\listtext b)\\tab}\\ls2\\ilvl0 e\\par"
             "{\\listtext iv.\\tab}\\ls3 f\\par\\pard g\\par}");
    QCOMPARE(rtfBlockTexts(*document), (QStringList{"a", "b", "c", "d", "e", "f", "g"}));
    const auto list = [&](int n) { return document->findBlockByNumber(n).textList(); };
    QCOMPARE(list(0), list(3));
    QCOMPARE(list(0)->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(list(1)->format().style(), QTextListFormat::ListCircle);
    QCOMPARE(list(1)->format().indent(), 2);
    QCOMPARE(list(2)->format().style(), QTextListFormat::ListSquare);
    QCOMPARE(list(2)->format().indent(), 3);
    QCOMPARE(list(4)->format().style(), QTextListFormat::ListLowerAlpha);
    QCOMPARE(list(5)->format().style(), QTextListFormat::ListLowerRoman);
    QVERIFY(!list(6));

    // A marker alone still makes a list; a continuation paragraph is none.
    document = load("{\\rtf1{\\pntext \\bullet\\tab}x\\par\\pard{\\*\\pn\\pnlvlcont}y\\par}");
    QCOMPARE(rtfBlockTexts(*document), (QStringList{"x", "y"}));
    QVERIFY(document->begin().textList());
    QVERIFY(!document->lastBlock().textList());
}

void TestRtfReader::linkResultsAreText_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("Word") << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"https://a.cn/x\"}"
                                        "{\\fldrslt {\\ul\\uc1\\u38142?\\u25509?}}}");
    QTest::newRow("AbiWord, result marked ignorable")
        << QByteArray("{\\field{\\*\\fldinst {\\f0 HYPERLINK \"https://a.cn/x\"}}"
                      "{\\*\\fldrslt{\\f0 \\uc0\\u38142 \\uc0\\u25509 }}}");
}

void TestRtfReader::linkResultsAreText() {
    QFETCH(QByteArray, field);
    const auto document = load("{\\rtf1{\\fonttbl{\\f0 A;}}see " + field + " end}");
    QCOMPARE(rtfBlockTexts(*document), QStringList{QStringLiteral("see 链接 end")});
    const QTextCharFormat link = formatOf(*document, QStringLiteral("链接"));
    QVERIFY(link.isAnchor());
    QCOMPARE(link.anchorHref(), QStringLiteral("https://a.cn/x"));
    QVERIFY(!formatOf(*document, QStringLiteral(" end")).isAnchor());
}

void TestRtfReader::skippedDestinations() {
    // Bookkeeping and unknown \* groups go; a picture, the header, footer,
    // footnote, object and bookmark stay, each as one object character.
    QCOMPARE(text("{\\rtf1{\\*\\unknownthing secret}{\\pict\\wmetafile8 0102abc}"
                  "{\\info{\\title T}{\\author A}}{\\stylesheet{\\s1 Heading 1;}}"
                  "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'01\\u-3913 ?;}}}}"
                  "{\\header H}{\\footer F}{\\footnote N}{\\object{\\*\\objdata 0102}{\\result R}}"
                  "{\\*\\generator Riched20}{\\unknownword visible}{\\*\\bkmkstart b}end}"),
             QStringLiteral("\uFFFC\uFFFC\uFFFC\uFFFC\uFFFCvisible\uFFFCend"));
    // A table after the text is still read as tables.
    QCOMPARE(text("{\\rtf1 a{\\colortbl;\\red1\\green2\\blue3;}\\cf1 b}"), QStringLiteral("ab"));
}

void TestRtfReader::paragraphBreaks_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("blocks");
    QTest::newRow("a closing \\par adds no paragraph") << QByteArray("a\\par") << QStringList{"a"};
    QTest::newRow("text after the last \\par") << QByteArray("a\\par b") << QStringList{"a", "b"};
    QTest::newRow("empty paragraphs are kept") << QByteArray("a\\par\\par") << QStringList{"a", ""};
    QTest::newRow("only \\par") << QByteArray("\\par") << QStringList{""};
    QTest::newRow("nothing") << QByteArray("") << QStringList{""};
    QTest::newRow("page, section and row end paragraphs")
        << QByteArray("a\\page b\\sect c\\row d") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("text after the document is not read")
        << QByteArray("a}b{\\par c") << QStringList{"a"};
}

void TestRtfReader::paragraphBreaks() {
    QFETCH(QByteArray, body);
    QFETCH(QStringList, blocks);
    QCOMPARE(rtfBlockTexts(*load("{\\rtf1 " + body + "}")), blocks);
}

void TestRtfReader::refusesWhatIsNotRtf() {
    QTextDocument document(QStringLiteral("kept"));
    for (const QByteArray& bytes : {QByteArray(), QByteArray("plain text"), QByteArray("<html>"),
                                    QByteArray("{\\rt"), QByteArray("x{\\rtf1 a}")}) {
        QVERIFY(!RtfReader::read(bytes, &document));
        QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
    }
    QVERIFY(RtfReader::isRtf("\xEF\xBB\xBF \r\n{\\rtf1 a}"));
    QVERIFY(RtfReader::read("\xEF\xBB\xBF \r\n{\\rtf1 a}", &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("a"));
}

void TestRtfReader::insertIsOnePasteStep() {
    QTextDocument document(QStringLiteral("AB"));
    QTextCursor cursor(&document);
    cursor.setPosition(1);
    QVERIFY(RtfReader::insert("{\\rtf1 {\\b x}y}", cursor));
    QCOMPARE(document.toPlainText(), QStringLiteral("AxyB"));
    QCOMPARE(cursor.position(), 3);
    QVERIFY(formatOf(document, QStringLiteral("x")).fontWeight() >= QFont::Bold);
    document.undo();
    QCOMPARE(document.toPlainText(), QStringLiteral("AB"));

    // Paragraphs split the one pasted into; that one keeps its own format.
    cursor.setPosition(1);
    QVERIFY(RtfReader::insert("{\\rtf1\\qc p\\par q}", cursor));
    QCOMPARE(rtfBlockTexts(document), (QStringList{"Ap", "qB"}));
    QCOMPARE(document.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
