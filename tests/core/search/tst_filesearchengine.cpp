#include "CollectingSink.h"
#include "config/TextCodec.h"
#include "search/CaseFold.h"
#include "search/FileContentSearch.h"
#include "search/FileSearchEngine.h"
#include "search/FindWord.h"
#include "search/LineRow.h"
#include "search/SearchRegExp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <random>
#include <sys/stat.h>

namespace {

SearchRequest request(const QString& query, const QString& types = QStringLiteral("*.*")) {
    SearchRequest r;
    r.FileSearch = 1;
    r.ScopeCode = QStringLiteral("000000");
    r.QueryText = query;
    r.FileTypes = types;
    return r;
}

// What a search of one file must report, worked out on the whole decoded
// text the slow way.
QList<FileSearchRow> expectedRows(const QString& path, const QString& text,
                                  const SearchRequest& r) {
    QList<qsizetype> starts, lengths;
    if (r.RegularExpression) {
        for (const auto& m : SearchRegExp(r.QueryText, r.MatchCase).Execute(text)) {
            starts.append(m.start);
            lengths.append(m.length);
        }
    } else {
        const QString hay = r.MatchCase ? text : CaseFold::Folded(text);
        const QString needle = r.MatchCase ? r.QueryText : CaseFold::Folded(r.QueryText);
        for (qsizetype p = FindWord(hay, needle, 0, r.WholeWord); p >= 0;
             p = FindWord(hay, needle, p + 1, r.WholeWord)) {
            starts.append(p);
            lengths.append(needle.size());
        }
    }
    QList<FileSearchRow> rows;
    if (starts.isEmpty())
        return rows;
    rows.append({1, path});
    qsizetype counted = 0, lineFeeds = 0;
    for (int i = 0; i < starts.size() && !r.NamesOnly; ++i) {
        lineFeeds += QStringView(text).sliced(counted, starts[i] - counted).count(u'\n');
        counted = starts[i];
        rows.append({2, LineRow::Format(text, starts[i], lengths[i], lineFeeds + 1)});
    }
    return rows;
}

} // namespace

class TestFileSearchEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void overlappingPlainAndExpressionMatches();
    void namesOnlyGivesFileRowsOnly();
    void binaryFileEndsAtZeroByte();
    void hiddenEntriesNeedTheOption();
    void fileTypesChooseFiles();
    void chineseQueryFindsGb18030AndUtf8Text();
    void shortGb18030NoteThatIsAlsoUtf8();
    void crlfLineRows();
    void caseAndWholeWord();
    void kelvinSignFoldsToK();
    void expressionAnchorsAtWholeFileOnly();
    void blocksAndLinesAgreeWithWholeText_data();
    void blocksAndLinesAgreeWithWholeText();
    void stopInLongFileEndsSearchEarly();
    void symlinkLoopEnds();
    void troublesomeFilesAndFolders();
    void badExpressionAskedOnce();
    void badExpressionNoStops();
    void emptyRequestGivesNoRows();

private:
    QString write(const QString& relative, const QByteArray& bytes);
    CollectingSink run(const SearchRequest& r, const QStringList& folders = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    std::atomic<bool> m_stop{false};
    qint64 m_bytesRead = 0;
    FileSearchTotals m_totals;
};

void TestFileSearchEngine::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_stop = false;
}

QString TestFileSearchEngine::write(const QString& relative, const QByteArray& bytes) {
    const QString path = m_dir->filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

CollectingSink TestFileSearchEngine::run(const SearchRequest& r, const QStringList& folders) {
    CollectingSink sink;
    FileSearchEngine engine(r, CurrentKnowledgeBase{}, sink, m_stop);
    m_totals = engine.SearchFolders(folders.isEmpty() ? QStringList{m_dir->path()} : folders);
    m_bytesRead = engine.BytesRead();
    return sink;
}

void TestFileSearchEngine::overlappingPlainAndExpressionMatches() {
    const QString path = write("a.txt", "x\naaaa\n");
    SearchRequest r = request("aa");
    const auto plain = run(r);
    QCOMPARE(plain.texts(2), QStringList({"[2行] aaaa", "[2行] aaaa", "[2行] aaaa"}));
    QCOMPARE(plain.texts(1), QStringList({path, QString::fromUtf8("搜索完成,包含1个相关文件")}));
    r.RegularExpression = 1;
    QCOMPARE(run(r).texts(2).size(), 2);
    QCOMPARE(m_totals, (FileSearchTotals{2, 1, 1}));
}

void TestFileSearchEngine::namesOnlyGivesFileRowsOnly() {
    write("a.txt", "key\nkey\nkey\n");
    write("b.txt", "nothing\n");
    write("sub/c.txt", "the key\n");
    for (int regex : {0, 1}) {
        SearchRequest r = request("key");
        r.NamesOnly = true;
        r.RegularExpression = regex;
        const auto sink = run(r);
        QCOMPARE(sink.texts(2), QStringList());
        QCOMPARE(sink.texts(1).size(), 3); // two files and the summary
        QCOMPARE(m_totals, (FileSearchTotals{0, 2, 3}));
    }
}

void TestFileSearchEngine::binaryFileEndsAtZeroByte() {
    write("bin.dat", QByteArray("head key\n\0 key after the zero\n", 30));
    write("utf16.txt", QByteArray("k\0e\0y\0", 6));
    const auto sink = run(request("key"));
    QCOMPARE(sink.texts(2), QStringList({"[1行] head key"}));
    QCOMPARE(m_totals, (FileSearchTotals{1, 1, 2}));
}

void TestFileSearchEngine::hiddenEntriesNeedTheOption() {
    write(".hidden.txt", "key\n");
    write(".folder/a.txt", "key\n");
    write("seen.txt", "key\n");
    SearchRequest r = request("key");
    run(r);
    QCOMPARE(m_totals.FilesMatched, 1);
    r.IncludeHidden = 1;
    run(r);
    QCOMPARE(m_totals.FilesMatched, 3);
}

void TestFileSearchEngine::fileTypesChooseFiles() {
    write("a.TXT", "key\n");
    write("a.txt.bak", "key\n");
    write("b.ini", "key\n");
    run(request("key", "*.txt"));
    QCOMPARE(m_totals, (FileSearchTotals{1, 1, 1}));
    run(request("key", "*.txt;*.ini"));
    QCOMPARE(m_totals.FilesSearched, 2);
}

void TestFileSearchEngine::chineseQueryFindsGb18030AndUtf8Text() {
    const QString text = QString::fromUtf8("第一行\r\n这里有知识库的内容\r\n知识 库\r\n");
    write("gb.txt", TextCodec::encode(text));
    write("utf8.txt", text.toUtf8());
    // A UTF-8 sequence cut where the encoding check ends: still UTF-8, and
    // the match after it is found.
    QByteArray cut(FileContentSearch::kEncodingHead - 1, 'a');
    write("cut.txt", cut + QString::fromUtf8("\n知识库在后面\n").toUtf8());
    const auto sink = run(request(QString::fromUtf8("知识库")));
    QStringList lines = sink.texts(2);
    lines.sort();
    QCOMPARE(lines, QStringList({QString::fromUtf8("[2行] 知识库在后面"),
                                 QString::fromUtf8("[2行] 这里有知识库的内容"),
                                 QString::fromUtf8("[2行] 这里有知识库的内容")}));
    QCOMPARE(m_totals, (FileSearchTotals{3, 3, 3}));
}

void TestFileSearchEngine::shortGb18030NoteThatIsAlsoUtf8() {
    // "知识" in GB18030 is the bytes D6 AA CA B6, which are well-formed UTF-8
    // too; the note must still be found by its Chinese text.
    write("short.txt", QByteArray("\xd6\xaa\xca\xb6"));
    const auto sink = run(request(QString::fromUtf8("知识")));
    QCOMPARE(sink.texts(2), QStringList{QString::fromUtf8("[1行] 知识")});
}

void TestFileSearchEngine::crlfLineRows() {
    write("a.txt", "one\r\ntwo\r\nthree key four\r\nlast key");
    const auto sink = run(request("key"));
    QCOMPARE(sink.texts(2), QStringList({"[3行] three key four", "[4行] last key"}));
}

void TestFileSearchEngine::caseAndWholeWord() {
    write("a.txt", "Key keyboard KEY_x (key)\n");
    SearchRequest r = request("KEY");
    run(r);
    QCOMPARE(m_totals.LinesMatched, 4);
    r.MatchCase = 1;
    run(r);
    QCOMPARE(m_totals.LinesMatched, 1);
    r.MatchCase = 0;
    r.WholeWord = 1;
    run(r);
    QCOMPARE(m_totals.LinesMatched, 2);
}

void TestFileSearchEngine::kelvinSignFoldsToK() {
    // The Kelvin sign folds to "k", so a case-blind "key" finds it although
    // its bytes are nothing like "k".
    const QString text = QString::fromUtf8("中文\n\u212Aey 中\n");
    write("a.txt", TextCodec::encode(text));
    write("b.txt", text.toUtf8());
    const auto sink = run(request("KEY"));
    QCOMPARE(sink.texts(2), QStringList(2, QString::fromUtf8("[2行] \u212Aey 中")));
}

void TestFileSearchEngine::expressionAnchorsAtWholeFileOnly() {
    write("a.txt", "abc\nabc\n");
    write("b.txt", "x\nabc\n");
    SearchRequest r = request("^abc");
    r.RegularExpression = 1;
    auto sink = run(r);
    QCOMPARE(sink.texts(2), QStringList({"[1行] abc"}));
    r.QueryText = "abc$";
    sink = run(r);
    QCOMPARE(sink.texts(2), QStringList());
}

void TestFileSearchEngine::blocksAndLinesAgreeWithWholeText_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("regex");
    QTest::addColumn<int>("matchCase");
    QTest::addColumn<int>("wholeWord");
    QTest::addColumn<bool>("utf8");
    struct Case {
        const char* name;
        QString query;
        int regex, matchCase, wholeWord;
    };
    const Case cases[] = {
        {"ascii", QStringLiteral("key"), 0, 0, 0},
        {"ascii case", QStringLiteral("Key"), 0, 1, 0},
        {"whole word", QStringLiteral("key"), 0, 0, 1},
        {"chinese", QString::fromUtf8("知识"), 0, 0, 0},
        {"mixed", QString::fromUtf8("k库"), 0, 0, 0},
        {"greek only", QString::fromUtf8("Σα"), 0, 0, 0},
        {"over a line feed", QStringLiteral("y\nk"), 0, 0, 0},
        {"expression", QStringLiteral("k.y"), 1, 0, 0},
        {"expression across lines", QStringLiteral("y\\sk"), 1, 0, 0},
        {"anchored expression", QStringLiteral("^..|e.$"), 1, 1, 0},
        {"expression with text", QStringLiteral("key\\b"), 1, 0, 0},
        {"chinese expression", QString::fromUtf8("知识.?库"), 1, 0, 0},
        {"expression with two texts", QStringLiteral("key.{1,3}key"), 1, 0, 0},
        {"texts in order", QString::fromUtf8("KEY.*知识"), 1, 1, 0},
        {"text at the start", QStringLiteral("^.*Key"), 1, 1, 0},
        {"text at the end", QStringLiteral("KEY$"), 1, 0, 0},
    };
    for (bool utf8 : {false, true}) {
        for (const Case& c : cases)
            QTest::addRow("%s%s", c.name, utf8 ? ", UTF-8" : "")
                << c.query << c.regex << c.matchCase << c.wholeWord << utf8;
    }
}

void TestFileSearchEngine::blocksAndLinesAgreeWithWholeText() {
    QFETCH(QString, query);
    QFETCH(int, regex);
    QFETCH(int, matchCase);
    QFETCH(int, wholeWord);
    QFETCH(bool, utf8);
    // Random GB18030 or UTF-8 lines over several read blocks, with one line longer
    // than a block, upper and lower case, Greek, the Kelvin sign and CR LF.
    const QStringList pieces = {"key",    "KEY", "Key",      " ",  ".",  "_",
                                "\r\n",   "\n",  "知识",     "库", "ΣΑ", "σα",
                                "\u212A", "x",   "中文内容", "\t", "y"};
    std::mt19937 rng(11);
    QString text = QStringLiteral("start Key\n");
    while (text.size() < 1'800'000) {
        if (text.size() > 900'000 && text.size() < 910'000)
            text += QString(1'200'000, u'z'); // a line longer than a block
        text += pieces[int(rng() % pieces.size())];
    }
    text += QStringLiteral("key");
    const QString path = write("big.txt", utf8 ? text.toUtf8() : TextCodec::encode(text));
    SearchRequest r = request(query);
    r.RegularExpression = regex;
    r.MatchCase = matchCase;
    r.WholeWord = wholeWord;
    const auto sink = run(r);
    QList<FileSearchRow> expected = expectedRows(path, text, r);
    QVERIFY(expected.size() >= 2); // the file row and a match at least
    expected.append({1, QString::fromUtf8("搜索完成,包含1个相关文件")});
    QCOMPARE(sink.rows.size(), expected.size());
    QCOMPARE(sink.rows, expected);
}

void TestFileSearchEngine::stopInLongFileEndsSearchEarly() {
    // A 64 MB file with a match on its first and its last line, and a second
    // material after it.
    QByteArray body("key first\n");
    const QByteArray filler(1023, 'x');
    while (body.size() < 64 * 1024 * 1024)
        body += filler + '\n';
    body += "key last\n";
    write("long/a.txt", body);
    write("after/b.txt", "key\n");
    SearchRequest r = request("key");
    CollectingSink sink;
    sink.onRow = [&](const FileSearchRow& row) {
        if (row.level == 2)
            m_stop = true;
    };
    FileSearchEngine engine(r, CurrentKnowledgeBase{}, sink, m_stop);
    const FileSearchTotals totals =
        engine.SearchFolders({m_dir->filePath("long"), m_dir->filePath("after")});
    QVERIFY(engine.Stopped());
    QCOMPARE(sink.texts(2), QStringList({"[1行] key first"}));
    QCOMPARE(sink.rows.last().text, QString::fromUtf8("搜索完成,包含1个相关文件"));
    QCOMPARE(totals.FilesSearched, 1); // no further file opened
    QVERIFY2(engine.BytesRead() < body.size() / 8, qPrintable(QString::number(engine.BytesRead())));
}

void TestFileSearchEngine::symlinkLoopEnds() {
    write("top/a.txt", "key\n");
    write("top/sub/b.txt", "key\n");
    QVERIFY(QFile::link(m_dir->filePath("top"), m_dir->filePath("top/sub/up")));
    QVERIFY(QFile::link(m_dir->filePath("top/sub"), m_dir->filePath("top/sub/self")));
    QVERIFY(QFile::link(m_dir->filePath("top/a.txt"), m_dir->filePath("top/sub/link.txt")));
    const auto sink = run(request("key"), {m_dir->filePath("top")});
    QCOMPARE(m_totals.FilesMatched, 3); // a.txt, b.txt and the link to a file
}

void TestFileSearchEngine::troublesomeFilesAndFolders() {
    write("m1/a.txt", "key\n");
    write("m2/b.txt", "key\n");
    QVERIFY(QFile::link(m_dir->filePath("nowhere"), m_dir->filePath("m1/broken.txt")));
    const QString fifo = m_dir->filePath("m1/pipe.txt");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // The second material's folder goes away while the first is searched.
    CollectingSink sink;
    sink.onRow = [&](const FileSearchRow& row) {
        if (row.level == 1 && row.text.endsWith("a.txt"))
            QDir(m_dir->filePath("m2")).removeRecursively();
    };
    FileSearchEngine engine(request("key"), CurrentKnowledgeBase{}, sink, m_stop);
    const FileSearchTotals totals = engine.SearchFolders(
        {m_dir->filePath("m1"), m_dir->filePath("m2"), m_dir->filePath("missing")});
    // The broken link counts as searched and never as matched; the pipe is
    // no file at all.
    QCOMPARE(totals, (FileSearchTotals{1, 1, 2}));
    QCOMPARE(sink.rows.last().text, QString::fromUtf8("搜索完成,包含1个相关文件"));
    // A 10,000-character query just finds nothing.
    run(request(QString(10'000, u'q')), {m_dir->filePath("m1")});
    QCOMPARE(m_totals.FilesMatched, 0);
}

void TestFileSearchEngine::badExpressionAskedOnce() {
    write("a.txt", "(ab\n");
    write("b.txt", "(ab\n");
    write("c.txt", "(ab\n");
    SearchRequest r = request("(ab");
    r.RegularExpression = 1;
    const auto sink = run(r);
    QCOMPARE(sink.questions.size(), 1);
    QVERIFY(sink.questions[0].endsWith(" Continue?"));
    QCOMPARE(m_totals, (FileSearchTotals{0, 0, 3}));
}

void TestFileSearchEngine::badExpressionNoStops() {
    write("a.txt", "x\n");
    write("b.txt", "x\n");
    SearchRequest r = request("[x");
    r.RegularExpression = 1;
    CollectingSink sink;
    sink.answers = {false};
    FileSearchEngine engine(r, CurrentKnowledgeBase{}, sink, m_stop);
    const FileSearchTotals totals = engine.SearchFolders({m_dir->path()});
    QVERIFY(engine.Stopped());
    QCOMPARE(totals.FilesSearched, 1);
    QCOMPARE(sink.texts(1), QStringList({QString::fromUtf8("搜索完成,包含0个相关文件")}));
}

void TestFileSearchEngine::emptyRequestGivesNoRows() {
    write("a.txt", "key\n");
    for (int field = 0; field < 3; ++field) {
        SearchRequest r = request("key");
        (field == 0 ? r.ScopeCode : field == 1 ? r.QueryText : r.FileTypes).clear();
        CollectingSink sink;
        FileSearchEngine engine(r, CurrentKnowledgeBase{}, sink, m_stop);
        engine.Run();
        QVERIFY(sink.rows.isEmpty());
        QVERIFY(sink.told.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestFileSearchEngine)
#include "tst_filesearchengine.moc"
