#include "CollectingSink.h"
#include "rtf/RtfPlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"
#include "search/FileSearchEngine.h"
#include "search/SearchableText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

namespace {

// The Chinese words of the examples as the formats store them: 会议纪要
// is U+4F1A U+8BAE U+7EAA U+8981, in GB18030 BB E1 D2 E9 BC CD D2 AA;
// 會議紀要 in Big5 is B7 7C C4 B3 AC F6 AD 6E.
const QByteArray kRtfTable = "{\\rtf1 Before\\par\\trowd\\cellx1000\\cellx2000\\intbl A1\\cell "
                             "B1\\cell\\row\\trowd\\cellx1000\\cellx2000\\intbl A2\\cell\\pard"
                             "\\intbl B2\\par more\\cell\\row\\pard After\\par}";

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

class TestDocumentText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsWhatAReaderSees_data();
    void readsWhatAReaderSees();
    void rtfLinesAreTheEditorsBlocks_data();
    void rtfLinesAreTheEditorsBlocks();
    void searchReportsRowsOnTheTextsLines_data();
    void searchReportsRowsOnTheTextsLines();
};

void TestDocumentText::readsWhatAReaderSees_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("rtf \\u escapes")
        << "a.rtf"
        << QByteArray("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 "
                      "\\'cb\\'ce\\'cc\\'e5;}}{\\*\\generator Riched20 10.0;}\\uc1\\pard\\f0 "
                      "\\u20250?\\u35758?\\u32426?\\u35201? Notes\\par Second line\\par}")
        << QString::fromUtf8("会议纪要 Notes\nSecond line");
    QTest::newRow("rtf bytes by font charset")
        << "a.RTF"
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}"
               "{\\f1\\fswiss\\fcharset0 Arial;}}\\f0 \\'bb\\'e1\\'d2\\'e9\\f1  caf\\'e9\\par}")
        << QString::fromUtf8("会议 café");
    QTest::newRow("rtf bytes by \\ansicpg")
        << "a.rtf" << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'bc\\'cd\\'d2\\'aa\\par}")
        << QString::fromUtf8("纪要");
    QTest::newRow("rtf \\uc2 fallbacks")
        << "a.rtf" << QByteArray("{\\rtf1\\uc2\\u20250\\'bb\\'e1\\u35758 xx end\\par}")
        << QString::fromUtf8("会议 end");
    QTest::newRow("rtf groups that are not text")
        << "a.rtf"
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                      "{\\stylesheet{\\s1 heading 1;}}{\\info{\\title Secret}{\\author Bob}}"
                      "{\\*\\generator Writer;}{\\*\\unknown hidden}Hello {\\v secret }world\\par"
                      "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt site}} "
                      "{\\pict\\pngblip 89504e47}{\\*\\bkmkstart b}after\\tab tab\\par}")
        << QStringLiteral("Hello world\nsite after\ttab");
    QTest::newRow("rtf paragraphs")
        << "a.rtf"
        << QByteArray("{\\rtf1 {\\pntext 1.\\tab}First\\par\\par{\\listtext\\u8226\\tab}Third"
                      "\\line fourth\\par}")
        << QStringLiteral("First\n\nThird\u2028fourth");
    QTest::newRow("rtf table: a line per cell")
        << "a.rtf" << kRtfTable << QStringLiteral("Before\nA1\nB1\nA2\nB2\nmore\nAfter");
    QTest::newRow("not rtf: plain text")
        << "a.rtf" << QByteArray("plain \xe4\xbc\x9a\n") << QString::fromUtf8("plain 会\n");

    QTest::newRow("html utf-8")
        << "a.html"
        << QByteArray("<html><head><title>T &amp; T</title><style>p{color:red}</style>"
                      "<script>var s = \"<p>no</p>\";</script></head>\n<body><p>\xe7\xac\xac"
                      "  one &lt;b&gt;\n&#20250;&#x8bae; &nbsp;x&copy2024</p><!-- <p>no</p> -->"
                      "<div>a<br>b<br><br>c</div><table><tr><td>1</td> <td>2 &euro;</td></tr>"
                      "<tr><td>3</td></tr></table><pre>\n  kept  \n</pre>end &bogus; &#0;"
                      "</body></html>")
        << QString::fromUtf8("T & T\n第 one <b> 会议  x©2024\na\nb\n\nc\n1\t2 €\n3\n  kept  \n"
                             "end &bogus; \xef\xbf\xbd");
    QTest::newRow("html gb18030 by meta")
        << "a.HTM"
        << QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=gb2312\"></head><body><h1>\xbb\xe1\xd2\xe9</h1>\xbc\xcd\xd2\xaa"
                      "</body></html>")
        << QString::fromUtf8("会议\n纪要");
    QTest::newRow("mht quoted-printable")
        << "a.mht"
        << QByteArray("From: <Saved by a browser>\r\nMIME-Version: 1.0\r\nContent-Type: "
                      "multipart/related;\r\n\tboundary=\"----=_Part_0\";\r\n\ttype=\"text/html\""
                      "\r\n\r\nThis is a multi-part message in MIME format.\r\n\r\n"
                      "------=_Part_0\r\nContent-Type: text/html; charset=\"iso-8859-1\"\r\n"
                      "Content-Transfer-Encoding: quoted-printable\r\n\r\n<html><body><p>caf=E9 "
                      "au l=\r\nait</p><p class=3D\"x\">=3D</p></body></html>\r\n"
                      "------=_Part_0\r\nContent-Type: image/png\r\nContent-Transfer-Encoding: "
                      "base64\r\n\r\niVBORw0KGgo=\r\n------=_Part_0--\r\n")
        << QString::fromUtf8("café au lait\n=");
    QTest::newRow("mht base64, html not first")
        << "a.MHTML"
        << QByteArray("MIME-Version: 1.0\nContent-Type: multipart/related; boundary=b1\n\n--b1\n"
                      "Content-Type: image/png\nContent-Transfer-Encoding: base64\n\niVBORw0KGgo=\n"
                      "--b1\nContent-Type: text/html; charset=big5\nContent-Transfer-Encoding: "
                      "base64\n\nPGh0bWw+PGJvZHk+PHA+t3zEs6z2rW48L3A+PHA+uXe64jwvcD48L2JvZHk+\n"
                      "PC9odG1sPg==\n--b1--\n")
        << QString::fromUtf8("會議紀要\n預算");
}

void TestDocumentText::readsWhatAReaderSees() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(SearchableText::IsDocument(name));
    QCOMPARE(SearchableText::Read(write(dir, name, bytes), true), text);
}

// The editor's own reader is the model: line N of the text is the text of
// its block N - 1, less the objects it shows for pictures and kept groups.
// (kept_groups.rtf is not among them: the editor shows its page-number field
// as a kept object, where the text has the field's result.)
void TestDocumentText::rtfLinesAreTheEditorsBlocks_data() {
    QTest::addColumn<QByteArray>("rtf");
    const QDir data(QStringLiteral(KEEPSAKE_RTF_DATA));
    for (const char* name : {"word_unicode.rtf", "wordpad_zh.rtf", "producers/abiword.rtf",
                             "producers/libreoffice.rtf", "producers/pandoc.rtf"}) {
        QFile f(data.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QTest::newRow(name) << f.readAll();
    }
    QTest::newRow("table") << kRtfTable;
    // What the editor itself writes: a list, a table after a paragraph, text after it.
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QString::fromUtf8("会议\u2028纪要"));
    cursor.insertBlock();
    cursor.insertList(QTextListFormat::ListDecimal);
    cursor.insertText(QStringLiteral("item"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("last item"));
    QTextTable* table = cursor.insertTable(2, 2);
    table->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("cell"));
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("after"));
    QTest::newRow("written by the editor") << RtfWriter::write(&document);
}

void TestDocumentText::rtfLinesAreTheEditorsBlocks() {
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    QVERIFY(RtfReader::read(rtf, &document));
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString text = block.text();
        text.removeIf([](QChar c) {
            return c == QChar::ObjectReplacementCharacter || c == QChar(0x00AD) ||
                   (c.unicode() >= 0x200C && c.unicode() <= 0x200F);
        });
        blocks.append(text);
    }
    // The block after a table's frame that ends a document holds nothing.
    const std::optional<QString> text = RtfPlainText::read(rtf);
    QVERIFY(text);
    QStringList lines = text->split(u'\n');
    while (lines.size() < blocks.size() && blocks.at(lines.size()).isEmpty())
        lines.append(QString());
    QCOMPARE(lines, blocks);
}

void TestDocumentText::searchReportsRowsOnTheTextsLines_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("expression");
    QTest::addColumn<bool>("namesOnly");
    QTest::addColumn<bool>("documentText");
    QTest::addColumn<QStringList>("rows"); // sorted; "file: row" for a line

    const QString note = QStringLiteral("note.rtf");
    const QString page = QStringLiteral("page.HTM");
    const QString plain = QStringLiteral("plain.txt");
    QTest::newRow("word stored as escapes")
        << QString::fromUtf8("会议") << false << false << true
        << QStringList{note,  note + QString::fromUtf8(": [3行] 会议 minutes"),
                       page,  page + QString::fromUtf8(": [2行] 会议 & minutes"),
                       plain, plain + QString::fromUtf8(": [1行] 会议 minutes")};
    QTest::newRow("expression") << QString::fromUtf8("会.\\s+m") << true << false << true
                                << QStringList{
                                       note, note + QString::fromUtf8(": [3行] 会议 minutes"),
                                       plain, plain + QString::fromUtf8(": [1行] 会议 minutes")};
    QTest::newRow("names only") << QStringLiteral("MINUTES") << false << true << true
                                << QStringList{note, page, plain};
    QTest::newRow("markup when the box is off")
        << QStringLiteral("minutes") << false << false << false
        << QStringList{note,
                       note + QStringLiteral(": [4行] \\u20250?\\u35758? minutes\\par"),
                       page,
                       page + QStringLiteral(": [1行] <html><head><title>Minutes</title>"
                                             "</head>"),
                       page + QStringLiteral(": [2行] <body><p>&#20250;&#35758; &amp; minutes"
                                             "</p></body></html>"),
                       plain,
                       plain + QString::fromUtf8(": [1行] 会议 minutes")};
}

void TestDocumentText::searchReportsRowsOnTheTextsLines() {
    QFETCH(QString, query);
    QFETCH(bool, expression);
    QFETCH(bool, namesOnly);
    QFETCH(bool, documentText);
    QFETCH(QStringList, rows);

    QTemporaryDir dir;
    write(dir, "note.rtf",
          "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n\\f0 Agenda\\par"
          "\n\\par\n\\u20250?\\u35758? minutes\\par\n}\n");
    write(dir, "page.HTM",
          "<html><head><title>Minutes</title></head>\n<body><p>&#20250;&#35758; &amp; minutes"
          "</p></body></html>\n");
    write(dir, "plain.txt", "\xe4\xbc\x9a\xe8\xae\xae minutes\n");

    SearchRequest r;
    r.FileSearch = 1;
    r.ScopeCode = QStringLiteral("000000");
    r.QueryText = query;
    r.FileTypes = QStringLiteral("*.*");
    r.RegularExpression = expression;
    r.NamesOnly = namesOnly;
    r.DocumentText = documentText;
    CollectingSink sink;
    std::atomic<bool> stop{false};
    FileSearchEngine engine(r, CurrentKnowledgeBase{}, sink, stop);
    engine.SearchFolders({dir.path()});

    QStringList found;
    QString file;
    for (const FileSearchRow& row : sink.rows) {
        if (row.level == 1)
            file = QFileInfo(row.text).fileName();
        found.append(row.level == 1 ? file : file + QStringLiteral(": ") + row.text);
    }
    found.removeLast(); // the summary
    found.sort();
    QCOMPARE(found, rows);
}

QTEST_MAIN(TestDocumentText)
#include "tst_documenttext.moc"
