#include "RtfTestSupport.h"
#include "rtf/RtfReader.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include <algorithm>
#include <limits>
#include <memory>

// Whatever the bytes, the reader opens them: cut files, damaged files, deep
// nesting, binary data, and large files in time that grows with their size.
class TestRtfRobustness : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyTruncationOpens();
    void damagedInputOpens();
    void nestingAndBinaryCannotEscape();
    void megabyteLoadsQuickly_data();
    void megabyteLoadsQuickly();
};

namespace {} // namespace

void TestRtfRobustness::everyTruncationOpens() {
    for (const char* name :
         {"wordpad_zh.rtf", "word_unicode.rtf", "kept_groups.rtf", "producers/pandoc.rtf"}) {
        const QByteArray full = rtfSample(name);
        const QString whole = text(full);
        for (qsizetype length = 5; length <= full.size(); ++length) {
            QTextDocument document;
            QVERIFY2(RtfReader::read(full.first(length), &document), name);
        }
        // Cut before the last brace, everything is there.
        const qsizetype lastBrace = full.lastIndexOf('}');
        QCOMPARE(text(full.first(lastBrace)), whole);
    }
}

void TestRtfRobustness::damagedInputOpens() {
    const QByteArray sample = rtfSample("word_unicode.rtf");
    QRandomGenerator random(20240601);
    static const char kNasty[] = "{}\\'0123456789-*;ubinfcs ";
    for (int round = 0; round < 1500; ++round) {
        QByteArray damaged = sample;
        const int changes = 1 + random.bounded(8);
        for (int i = 0; i < changes; ++i) {
            const qsizetype at = 6 + random.bounded(int(damaged.size()) - 6);
            damaged[at] = random.bounded(2) ? kNasty[random.bounded(int(sizeof kNasty) - 1)]
                                            : char(random.bounded(256));
        }
        QTextDocument document;
        QVERIFY(RtfReader::read(damaged, &document));
    }
    const QList<QByteArray> nasty = {
        "{\\rtf1 \\'",
        "{\\rtf1 \\'4",
        "{\\rtf1 \\u",
        "{\\rtf1 \\u-",
        "{\\rtf1 \\",
        "{\\rtf1 {\\fonttbl{\\f0",
        "{\\rtf1 {\\colortbl\\red",
        "{\\rtf1 \\uc99999\\u20320 x}",
        "{\\rtf1 \\f-5 x}",
        "{\\rtf1 \\cf99999\\highlight-3 x}",
        "{\\rtf1 \\ls1\\ilvl99 x\\par}",
        "{\\rtf1 \\pnlvl-3 x\\par}",
        "{\\rtf1 \\li2147483647\\fi-99999999999 x\\par}",
        "{\\rtf1 \\fs99999999999999999999 x}",
        "{\\rtf1 \\u99999999999 x}",
        "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"}{\\fldrslt x}}}",
        "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \\l}{\\fldrslt x}}}",
        QByteArray("{\\rtf1 a\0b}", 11),
    };
    for (const QByteArray& bytes : nasty) {
        QTextDocument document;
        QVERIFY2(RtfReader::read(bytes, &document), bytes.constData());
    }
    QCOMPARE(text("{\\rtf1 \\fs99999999999999999999 x}"), QStringLiteral("x"));
    QCOMPARE(formatOf(*load("{\\rtf1 \\fs99999999999 x}"), QStringLiteral("x")).fontPointSize(),
             1638.0);
}

void TestRtfRobustness::nestingAndBinaryCannotEscape() {
    const QByteArray deep =
        "{\\rtf1 a" + QByteArray(200000, '{') + "deep" + QByteArray(200000, '}') + "b}";
    QCOMPARE(text(deep), QStringLiteral("ab"));
    const QByteArray open = "{\\rtf1 a" + QByteArray(200000, '{') + "x";
    QVERIFY(RtfReader::read(open, std::make_unique<QTextDocument>().get()));
    // Moderate nesting is content like any other.
    QCOMPARE(text("{\\rtf1 " + QByteArray(100, '{') + "x" + QByteArray(100, '}') + "}"),
             QStringLiteral("x"));

    // \bin data is neither text nor structure.
    QCOMPARE(text("{\\rtf1 a\\bin4 }}}{b}"), QStringLiteral("ab"));
    QCOMPARE(text("{\\rtf1 a{\\*\\pict\\bin999999 xyz"), QStringLiteral("a"));
    QCOMPARE(text("{\\rtf1 a\\bin-5 b}"), QStringLiteral("ab"));
}

void TestRtfRobustness::megabyteLoadsQuickly_data() {
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<int>("minimumBlocks");
    const QByteArray sample = rtfSample("wordpad_zh.rtf");
    const qsizetype bodyStart = sample.indexOf("\\pard");
    QTest::newRow("WordPad text") << sample.mid(bodyStart, sample.lastIndexOf('}') - bodyStart)
                                  << 5000;
    QTest::newRow("a format change every character") << QByteArray("{\\b x}{\\i y}") << 1;
    QTest::newRow("one long bulleted list")
        << QByteArray(
               "{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2{\\pntxtb\\'B7}}\\li720 x\\par\n")
        << 10000;
    QTest::newRow("tiny paragraphs") << QByteArray("ab\\par\n") << 100000;
}

void TestRtfRobustness::megabyteLoadsQuickly() {
    // A guard against work that grows faster than the file (the benchmark
    // measures the real figure): each of these took minutes before. Reading
    // four times the text may take about four times as long, never sixteen;
    // the ratio holds on a loaded machine where a fixed budget would not.
    QFETCH(QByteArray, unit);
    QFETCH(int, minimumBlocks);
    auto document = [&](qsizetype size) {
        QByteArray rtf =
            "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 A;}{\\f2\\fcharset2 Symbol;}}";
        while (rtf.size() < size)
            rtf += unit;
        return rtf + '}';
    };
    auto bestOfTwoMs = [](const QByteArray& rtf, QTextDocument* into) {
        qint64 best = std::numeric_limits<qint64>::max();
        for (int run = 0; run < 2; ++run) {
            into->clear();
            QElapsedTimer timer;
            timer.start();
            if (!RtfReader::read(rtf, into))
                return qint64(-1);
            best = std::min(best, timer.elapsed());
        }
        return best;
    };
    QTextDocument quarter;
    const qint64 quarterMs = bestOfTwoMs(document(256 * 1024), &quarter);
    QTextDocument full;
    const qint64 fullMs = bestOfTwoMs(document(1024 * 1024), &full);
    QVERIFY(quarterMs >= 0 && fullMs >= 0);
    QVERIFY2(
        fullMs < 10 * std::max<qint64>(quarterMs, 20),
        qPrintable(QStringLiteral("%1 ms for 256 KB, %2 ms for 1 MB").arg(quarterMs).arg(fullMs)));
    QVERIFY(full.blockCount() >= minimumBlocks);
    if (minimumBlocks == 10000) {
        // Split for speed, the long list still reads as bullets throughout.
        for (QTextBlock block = full.begin(); block.isValid(); block = block.next())
            QVERIFY(block.textList() &&
                    block.textList()->format().style() == QTextListFormat::ListDisc);
    }
}

QTEST_MAIN(TestRtfRobustness)
#include "tst_rtfrobustness.moc"
