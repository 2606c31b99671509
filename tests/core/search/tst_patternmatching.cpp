#include "config/TextCodec.h"
#include "search/ByteFinder.h"
#include "search/CaseFold.h"
#include "search/FileTypeList.h"
#include "search/FindWord.h"
#include "search/LineRow.h"
#include "search/SearchRegExp.h"

#include <QtTest>
#include <random>

using Match = SearchRegExp::Match;

class TestPatternMatching : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeWordSeparators_data();
    void wholeWordSeparators();
    void everySeparatorEndsAWord();
    void overlappingPlainMatches();
    void fileTypes_data();
    void fileTypes();
    void lineRows_data();
    void lineRows();
    void lineRowCountsLines();
    void expressionsMatchTheWholeText();
    void badExpressionIsReported();
    void linesCrossingIsDetected_data();
    void linesCrossingIsDetected();
    void requiredText_data();
    void requiredText();
    void foldsIntoAsciiOnlyFromFourByteCodes();
    void byteFinderAgreesWithNaiveSearch();
};

void TestPatternMatching::wholeWordSeparators_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("expected");
    QTest::newRow("full stop after") << "a word." << qsizetype(2);
    QTest::newRow("plural") << "a words" << qsizetype(-1);
    QTest::newRow("start of text") << "word, then" << qsizetype(0);
    QTest::newRow("end of text") << "the word" << qsizetype(4);
    QTest::newRow("second try") << "swords word" << qsizetype(7);
    QTest::newRow("chinese joins") << QString::fromUtf8("在word中") << qsizetype(-1);
    QTest::newRow("crlf ends") << "x\r\nword\r\n" << qsizetype(3);
}

void TestPatternMatching::wholeWordSeparators() {
    QFETCH(QString, text);
    QFETCH(qsizetype, expected);
    QCOMPARE(FindWord(text, u"word", 0, true), expected);
}

void TestPatternMatching::everySeparatorEndsAWord() {
    const QString separators = QStringLiteral("() \t<>{}:;,.=%\"'!@#$^&*-\\|[]/?\r\n");
    QCOMPARE(separators.size(), 32);
    for (QChar s : separators) {
        QVERIFY2(IsWordSeparator(s.unicode()), qPrintable(QString(s)));
        QCOMPARE(FindWord(QStringLiteral("ab") + s + QStringLiteral("cd"), u"cd", 0, true), 3);
    }
    for (QChar c : QStringLiteral("_+~`aZ9\u3002\uff0c"))
        QVERIFY(!IsWordSeparator(c.unicode()));
}

void TestPatternMatching::overlappingPlainMatches() {
    QList<qsizetype> found;
    for (qsizetype p = FindWord(u"aaaa", u"aa", 0, false); p >= 0;
         p = FindWord(u"aaaa", u"aa", p + 1, false))
        found.append(p);
    QCOMPARE(found, (QList<qsizetype>{0, 1, 2}));
    QCOMPARE(FindWord(u"aaaa", u"aa", 5, false), -1);
}

void TestPatternMatching::fileTypes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("fits");
    auto row = [](const char* why, const char* name, const char* list, bool fits) {
        QTest::newRow(why) << QString(name) << QString(list) << fits;
    };
    row("case is ignored", "Notes.TXT", "*.txt", true);
    row("must end so", "notes.txt.bak", "*.txt", false);
    row("all alone", "readme", "*.*", true);
    row("all in a list needs a dot", "readme", "*.txt;*.*", false);
    row("dot in a list", "a.b", "*.txt;*.*", true);
    row("empty pattern", "anything", "*.txt;;*.ini", true);
    row("trailing semicolon adds nothing", "a.doc", "*.txt;", false);
    row("second pattern", "x.ini", "*.txt;*.ini;*.xml", true);
    row("prefix star anywhere", "my report 2.doc", "report*", true);
    row("empty list", "a.txt", "", false);
}

void TestPatternMatching::fileTypes() {
    QFETCH(QString, name);
    QFETCH(QString, list);
    QFETCH(bool, fits);
    QCOMPARE(FitsFileTypes(name, list), fits);
}

void TestPatternMatching::lineRows_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("row"); // for the first "key"
    auto row = [](const char* name, const char* text, const char* row) {
        QTest::newRow(name) << QString(text) << QString(row);
    };
    row("crlf line 3", "one\r\ntwo\r\nthe key here\r\nfour", "[3行] the key here");
    row("bare lf keeps last character", "a\nthe key here\nb", "[2行] the key here");
    row("end of text keeps last character", "the key here", "[1行] the key here");
    row("match at line end", "a key\r\nb", "[1行] a key");
    row("match before lf", "a key\nb", "[1行] a key");
    row("inner cr stays", "a key\rb\n", "[1行] a key\rb");
}

void TestPatternMatching::lineRows() {
    QFETCH(QString, text);
    QFETCH(QString, row);
    QCOMPARE(LineRow::Format(text, text.indexOf("key"), 3), row);
}

void TestPatternMatching::lineRowCountsLines() {
    // 100 units on each side: only 80 of each are shown.
    const QString before(100, u'b'), after(100, u'a');
    const QString text =
        QStringLiteral("x\n\n") + before + QStringLiteral("KEY") + after + QStringLiteral("\r\n");
    QCOMPARE(LineRow::Format(text, 103, 3), QString::fromUtf8("[3行] ") + QString(80, u'b') +
                                                QStringLiteral("KEY") + QString(80, u'a'));
    // The known line number of a chunk-local text is used as given.
    QCOMPARE(LineRow::Format(u"ab", 0, 1, 41), QString::fromUtf8("[41行] ab"));
    // A window never starts or ends in the middle of a surrogate pair.
    const QString wide =
        QString(40, u'x') + QString::fromUtf8("😀").repeated(41) + QStringLiteral("K");
    const QString row = LineRow::Format(wide, wide.size() - 1, 1);
    QVERIFY(!QChar::isLowSurrogate(row.at(row.indexOf(u' ') + 1).unicode()));
}

void TestPatternMatching::expressionsMatchTheWholeText() {
    QCOMPARE(SearchRegExp(u"aa"_qs, true).Execute(u"aaaa"), (QList<Match>{{0, 2}, {2, 2}}));
    // "^" and "$" only at the ends of the whole text, never at line ends.
    QCOMPARE(SearchRegExp(u"^abc"_qs, true).Execute(u"abc\nabc"), (QList<Match>{{0, 3}}));
    QVERIFY(SearchRegExp(u"^abc"_qs, true).Execute(u"x\nabc").isEmpty());
    QCOMPARE(SearchRegExp(u"abc$"_qs, true).Execute(u"abc\nabc"), (QList<Match>{{4, 3}}));
    QVERIFY(SearchRegExp(u"abc$"_qs, true).Execute(u"abc\n").isEmpty());
    QCOMPARE(SearchRegExp(u"[$]"_qs, true).Execute(u"a$"), (QList<Match>{{1, 1}}));
    // "." takes a carriage return but no line feed.
    QCOMPARE(SearchRegExp(u"a.b"_qs, true).Execute(u"a\rb a\nb"), (QList<Match>{{0, 3}}));
    // Case, and positions in UTF-16 units.
    QCOMPARE(SearchRegExp(u"KEY"_qs, false).Execute(u"😀key"), (QList<Match>{{2, 3}}));
    QVERIFY(SearchRegExp(u"KEY"_qs, true).Execute(u"key").isEmpty());
}

void TestPatternMatching::badExpressionIsReported() {
    const SearchRegExp bad(u"(ab"_qs, false);
    QVERIFY(!bad.IsValid());
    QVERIFY(!bad.ErrorText().isEmpty());
    QVERIFY(bad.ContinueQuestion().endsWith(QLatin1String(" Continue?")));
    QVERIFY(bad.ContinueQuestion().startsWith(bad.ErrorText()));
    QVERIFY(bad.Execute(u"ab").isEmpty());
    QVERIFY(SearchRegExp(u"ab"_qs, false).ErrorText().isEmpty());
}

void TestPatternMatching::linesCrossingIsDetected_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("may");
    QTest::newRow("literal") << "keep.ake" << false;
    QTest::newRow("classes") << "[a-z]+\\d\\w*\\b" << false;
    QTest::newRow("anchors") << "^abc|xyz$" << false;
    QTest::newRow("lookaround") << "(?<=a)b(?!c)(?:d)" << false;
    QTest::newRow("newline") << "a\\nb" << true;
    QTest::newRow("escaped line feed") << "a\\\nb" << true;
    QTest::newRow("space class") << "a\\sb" << true;
    QTest::newRow("negated class") << "a[^x]b" << true;
    QTest::newRow("non-word") << "a\\Wb" << true;
    QTest::newRow("dotall") << "(?s)a.b" << true;
    QTest::newRow("code point") << "a\\x0ab" << true;
    QTest::newRow("octal") << "a\\12b" << true;
}

void TestPatternMatching::linesCrossingIsDetected() {
    QFETCH(QString, pattern);
    QFETCH(bool, may);
    QCOMPARE(SearchRegExp::MayMatchLineFeed(pattern), may);
}

void TestPatternMatching::requiredText_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("required");
    const QString chinese = QString::fromUtf8("数据.?库");
    const QString greek = QString::fromUtf8("Σα");
    QTest::newRow("dot splits") << "keep.ake" << false << QStringList{"keep", "ake"} << "keep";
    QTest::newRow("star drops a unit") << "abx*cd" << false << QStringList{"ab", "cd"} << "ab";
    QTest::newRow("plus keeps a unit") << "abx+cd" << false << QStringList{"abx", "cd"} << "abx";
    QTest::newRow("counted repeat") << "x{2,3}yz" << false << QStringList{"yz"} << "yz";
    QTest::newRow("top alternation") << "abc|def" << false << QStringList{} << "";
    QTest::newRow("groups are skipped") << "(abc|x)defg" << false << QStringList{"defg"} << "defg";
    QTest::newRow("escaped dot") << "\\.txt" << false << QStringList{".txt"} << ".txt";
    QTest::newRow("class") << "[abc]de" << false << QStringList{"de"} << "de";
    QTest::newRow("repeated piece") << "ab.ab" << true << QStringList{"ab", "ab"} << "ab";
    QTest::newRow("chinese") << chinese << false
                             << QStringList{QString::fromUtf8("数据"), QString::fromUtf8("库")}
                             << QString::fromUtf8("数据");
    QTest::newRow("greek has case") << greek << false << QStringList{} << "";
    QTest::newRow("greek with case") << greek << true << QStringList{greek} << greek;
}

void TestPatternMatching::requiredText() {
    QFETCH(QString, pattern);
    QFETCH(bool, matchCase);
    QFETCH(QStringList, pieces);
    QFETCH(QString, required);
    QCOMPARE(SearchRegExp::RequiredPieces(pattern, matchCase), pieces);
    QCOMPARE(SearchRegExp::RequiredText(pattern, matchCase), required);
}

void TestPatternMatching::foldsIntoAsciiOnlyFromFourByteCodes() {
    // Non-ASCII units that fold to ASCII letters: the byte search looks at
    // the lines holding 0x81 and a digit for them.
    int found = 0;
    for (unsigned u = 0x80; u < 0x10000; ++u) {
        if (QChar::isSurrogate(char16_t(u)) || CaseFold::Fold(char16_t(u)) >= 0x80)
            continue;
        ++found;
        const QByteArray bytes = TextCodec::encode(QString(QChar(char16_t(u))));
        QCOMPARE(bytes.size(), 4);
        QCOMPARE(quint8(bytes[0]), quint8(0x81));
        QVERIFY(bytes[1] >= '0' && bytes[1] <= '9');
        QVERIFY(CaseFold::HasNonAsciiSpelling(CaseFold::Fold(char16_t(u))));
    }
    QVERIFY(found >= 1);                              // the Kelvin sign at least
    QVERIFY(CaseFold::HasForeignSpelling(u'\u03b1')); // alpha has its capital
    QVERIFY(!CaseFold::HasForeignSpelling(u'\u6570'));
}

void TestPatternMatching::byteFinderAgreesWithNaiveSearch() {
    std::mt19937 rng(7);
    const QByteArray alphabet("aAbB@`[{z\x81\xc1\xe1\n");
    for (int round = 0; round < 2000; ++round) {
        QByteArray hay, needle;
        // Haystacks past two vectors of 32 and needles long enough to
        // probe other bytes than their first and last.
        const int n = 1 + int(rng() % 150), m = 1 + int(rng() % (round % 2 ? 4 : 12));
        for (int i = 0; i < n; ++i)
            hay.append(alphabet[int(rng() % alphabet.size())]);
        for (int i = 0; i < m; ++i)
            needle.append(alphabet[int(rng() % alphabet.size())]);
        // A long needle seldom turns up by chance: most rounds take it from
        // the haystack, with the case of its letters swapped now and then.
        if (round % 4 != 3 && m <= n) {
            needle = hay.mid(rng() % (n - m + 1), m);
            for (char& c : needle) {
                if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z' && rng() % 3 == 0)
                    c ^= 0x20;
            }
        }
        for (bool fold : {false, true}) {
            auto same = [&](char a, char b) {
                auto low = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c | 0x20) : c; };
                return fold ? low(a) == low(b) : a == b;
            };
            qsizetype expected = n;
            for (qsizetype i = 0; i + m <= n && expected == n; ++i) {
                bool all = true;
                for (int j = 0; j < m && all; ++j)
                    all = same(hay[i + j], needle[j]);
                if (all)
                    expected = i;
            }
            const ByteFinder finder(needle, fold);
            QCOMPARE(finder.Find(hay.constData(), hay.constData() + n) - hay.constData(), expected);
        }
    }
}

QTEST_GUILESS_MAIN(TestPatternMatching)
#include "tst_patternmatching.moc"
