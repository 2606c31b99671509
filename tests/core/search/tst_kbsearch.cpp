#include "TestBase.h"
#include "db/Transaction.h"
#include "search/BlockingKbSearch.h"
#include "search/CaseFold.h"
#include "search/KbQueryMatcher.h"
#include "search/KbSearchEngine.h"
#include "search/SearchControl.h"

#include <QSignalSpy>
#include <QtTest>

// The knowledge-base search on a real base: the engine on the test's own
// thread, and the worker behind SearchControl as the main window drives it.
class TestKbSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<TestBase> t;

    void material(int id, const QString& name, const QString& code = "010101",
                  const QString& created = "2009-03-07 14:05:09") {
        t->addRow(QString::number(id), code, name, created);
    }
    static SearchRequest request(int kind, const QString& query, const QString& scope = "000000") {
        SearchRequest r;
        r.ScopeCode = scope;
        r.QueryText = query;
        r.Kind = kind;
        return r;
    }
    QStringList search(const SearchRequest& r) {
        QStringList rows;
        BlockingKbSearch::Run(r, t->base, t->prompter, [&](const QString& row) { rows << row; });
        return rows;
    }
    // The rows between header and count line.
    QStringList found(const SearchRequest& r) {
        QStringList rows = search(r);
        rows.removeFirst();
        rows.removeLast();
        return rows;
    }

private Q_SLOTS:
    void init() {
        t = std::make_unique<TestBase>();
        t->addItems({"010000", "010100", "010101", "020000", "020100", "020101"});
    }
    void cleanup() { t.reset(); }

    void nameSearchIgnoresCaseAndSkipsTheRecycleBin() {
        material(1, "AB report");
        material(2, "xaby", "020101");
        material(3, "other");
        material(4, "ab in the bin");
        QVERIFY(t->store.SetMaterialFlag("4", "EOS", "2009-03-08 00:00:00"));
        QCOMPARE(search(request(1, "aB")),
                 QStringList({"根据资料名称对本地知识库 'aB'进行搜索...", "[2\t] xaby",
                              "[1\t] AB report", "共有2条记录被发现."}));
        QCOMPARE(found(request(1, "ab", "020000")), QStringList({"[2\t] xaby"}));
        QCOMPARE(found(request(1, "ab", "010100")), QStringList({"[1\t] AB report"}));
        QCOMPARE(found(request(1, "ab", "010101")), QStringList({"[1\t] AB report"}));
        // Not a pattern: "_" and "%" are plain characters of the query.
        QCOMPARE(found(request(1, "a_")), QStringList());
        QCOMPARE(found(request(1, "ab", "01%%%%")), QStringList());
    }

    // The rule is read on the stored bytes where that is exact; it must
    // agree with folding the decoded text every time.
    void bytesMatchAsFoldedTextDoes() {
        const QStringList texts = {"xAby", "a b", "我的代码本", "\u212A", "Äpfel", "ÄPFEL",
                                   "a😀b",  "ABC", "κόσμος",     "ΚΌΣΜΟΣ", "[x]%_"};
        const QStringList queries = {"ab", "AB", "代码", "k",  "ä", "äP",
                                     "😀",  "c",  "όσ",   "]%", "Σ", ""};
        for (const QString& query : queries) {
            const KbQueryMatcher matcher(query);
            for (const QString& text : texts) {
                const bool expected = CaseFold::Folded(text).contains(CaseFold::Folded(query));
                QVERIFY2(matcher.Matches(text.toUtf8()) == expected,
                         qPrintable(query + " in " + text));
            }
        }
        QVERIFY(KbQueryMatcher("Ab代码1").IsBytewise());
        QVERIFY(!KbQueryMatcher("k").IsBytewise()); // the Kelvin sign folds to k
    }

    void timeRangeTakesInTheWholeEndDay() {
        material(1, "before", "010101", "2009-02-28 23:59:59");
        material(2, "first second", "010101", "2009-03-01 00:00:01");
        material(3, "end morning", "010101", "2009-03-07 10:00:00");
        material(4, "end night", "010101", "2009-03-07 23:59:59");
        material(5, "after", "010101", "2009-03-08 00:00:00");
        SearchRequest r = request(4, "");
        r.FromDate = "2009-03-01";
        r.ToDate = "2009-03-07";
        QCOMPARE(search(r),
                 QStringList({"根据时间对本地知识库进行搜索...", "[4\t] end night",
                              "[3\t] end morning", "[2\t] first second", "共有3条记录被发现."}));
        r.Kind = 5;
        r.QueryText = "END";
        QCOMPARE(found(r), QStringList({"[4\t] end night", "[3\t] end morning"}));
        // Either bound alone.
        QVERIFY(KbSearchEngine::TimeMatches(u"2009-03-07 10:00:00", {}, "2009-03-07"));
        QVERIFY(!KbSearchEngine::TimeMatches(u"2009-03-08 00:00:00", {}, "2009-03-07"));
        QVERIFY(KbSearchEngine::TimeMatches(u"2009-03-01 00:00:00", "2009-03-01", {}));
        QVERIFY(!KbSearchEngine::TimeMatches(u"2009-02-28 23:59:59", "2009-03-01", {}));
        QVERIFY(KbSearchEngine::TimeMatches(u"2001-01-01 00:00:00", {}, {}));
    }

    void keywordSearchListsAMaterialOnce() {
        material(1, "one");
        material(2, "two");
        material(3, "Keyed name");
        material(4, "four", "010101", "2009-01-01 00:00:00");
        QVERIFY(t->store.InsertKeyword("1", "KEY alpha"));
        QVERIFY(t->store.InsertKeyword("1", "key beta"));
        QVERIFY(t->store.InsertKeyword("2", "nothing"));
        QVERIFY(t->store.InsertKeyword("3", "key gamma"));
        QVERIFY(t->store.InsertKeyword("4", "key delta"));
        QCOMPARE(search(request(2, "key")),
                 QStringList({"根据关键字对本地知识库 'key'进行搜索...", "[1\t] one",
                              "[3\t] Keyed name", "[4\t] four", "共有3条记录被发现."}));
        // By name and keyword: the name walk lists 3 first, the keywords the rest.
        QCOMPARE(found(request(3, "key")),
                 QStringList({"[3\t] Keyed name", "[1\t] one", "[4\t] four"}));
        SearchRequest r = request(6, "key");
        r.FromDate = "2009-03-01";
        r.ToDate = "2009-03-07";
        QCOMPARE(found(r), QStringList({"[1\t] one", "[3\t] Keyed name"}));
        r.Kind = 7;
        QCOMPARE(found(r), QStringList({"[3\t] Keyed name", "[1\t] one"}));
        // A keyword is text, never part of the statement.
        QVERIFY(t->store.InsertKeyword("2", "it's 100%"));
        QCOMPARE(found(request(2, "'s 100%")), QStringList({"[2\t] two"}));
    }

    void keywordStatementsTakeTwoHundredIds() {
        using B = KbSearchEngine::Batch;
        QCOMPARE(KbSearchEngine::KeywordBatches(0), QList<B>());
        QCOMPARE(KbSearchEngine::KeywordBatches(399), QList<B>({{0, 399}}));
        QCOMPARE(KbSearchEngine::KeywordBatches(400), QList<B>({{0, 200}, {200, 200}}));
        QCOMPARE(KbSearchEngine::KeywordBatches(450), QList<B>({{0, 200}, {200, 250}}));

        {
            Transaction transaction(t->db);
            for (int id = 1; id <= 450; ++id) {
                material(id, "m" + QString::number(id));
                QVERIFY(t->store.InsertKeyword(QString::number(id), "k" + QString::number(id)));
            }
            QVERIFY(transaction.Commit());
        }
        QStringList rows;
        const std::atomic<bool> stop{false};
        KbSearchEngine engine(request(2, "K"), t->db, stop, [&](const QString& r) { rows << r; });
        QCOMPARE(engine.Run(), qint64(450));
        QCOMPARE(engine.KeywordStatements(), 2);
        QCOMPARE(rows.first(), QString("[1\t] m1"));
        QCOMPARE(rows.last(), QString("[450\t] m450"));
        rows.removeDuplicates();
        QCOMPARE(rows.size(), 450);
    }

    void stopEndsTheSearchAtTheNextCandidate() {
        for (int id = 1; id <= 5; ++id) {
            material(id, "hit");
            QVERIFY(t->store.InsertKeyword(QString::number(id), "hit"));
        }
        std::atomic<bool> stop{false};
        QStringList rows;
        const auto stopAfterFirst = [&](const QString& row) {
            rows << row;
            stop = true;
        };
        KbSearchEngine walk(request(1, "hit"), t->db, stop, stopAfterFirst);
        QCOMPARE(walk.Run(), qint64(1));
        QVERIFY(walk.Stopped());
        QCOMPARE(rows, QStringList({"[5\t] hit"}));
        // The keyword statements look at the flag too.
        KbSearchEngine keywords(request(2, "hit"), t->db, stop, stopAfterFirst);
        QCOMPARE(keywords.Run(), qint64(0));
        QCOMPARE(keywords.KeywordStatements(), 0);

        // Stopped before it starts: the list still ends with its count.
        rows.clear();
        BlockingKbSearch::Run(
            request(1, "hit"), t->base, t->prompter, [&](const QString& row) { rows << row; },
            &stop);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.last(), QString("共有0条记录被发现."));
    }

    void unreadableBaseEndsWithACountOfNone() {
        t->base.DatabasePath = t->folder("missing.mdb");
        QCOMPARE(search(request(1, "x")),
                 QStringList({"根据资料名称对本地知识库 'x'进行搜索...", "共有0条记录被发现."}));
        QCOMPARE(t->prompter.shown.size(), 1);
        QCOMPARE(t->prompter.lastText(), QString("数据库没有打开或已经关闭!"));
    }

    void workerDeliversRowsToTheChosenWindow() {
        material(1, "alpha");
        material(2, "beta");
        SearchControl control(t->prompter);
        QStringList events;
        connect(&control, &SearchControl::tabSelected, this,
                [&](int tab) { events << "tab " + QString::number(tab); });
        connect(&control, &SearchControl::resultBaseSet, this, [&](int tab, const QString& id) {
            events << QString("base %1 %2").arg(tab).arg(id);
        });
        connect(&control, &SearchControl::kbListCleared, this,
                [&](int w) { events << "clear " + QString::number(w); });
        connect(&control, &SearchControl::kbRowsAdded, this, [&](int w, const QStringList& rows) {
            for (const QString& row : rows)
                events << QString::number(w) + " " + row;
        });
        connect(&control, &SearchControl::statusTextChanged, this,
                [&](const QString& text) { events << "status " + text; });
        QSignalSpy searching(&control, &SearchControl::searchingChanged);

        SearchRequest r = request(1, "A");
        r.ResultWindow = 2;
        QVERIFY(control.StartSearch(r, t->base));
        QVERIFY(control.IsSearching());
        QVERIFY(QTest::qWaitFor([&] { return !control.IsSearching(); }, 10000));
        QCOMPARE(events, QStringList({"tab 1", "base 1 1", "clear 2",
                                      "2 根据资料名称对本地知识库 'A'进行搜索...", "2 [2\t] beta",
                                      "2 [1\t] alpha", "2 共有2条记录被发现.",
                                      "status 共有2条记录被发现."}));
        QCOMPARE(searching.size(), 2);
        QCOMPARE(searching[0][0].toBool(), true);
        QCOMPARE(searching[1][0].toBool(), false);
    }

    void oneSearchOfEitherKindAtATime() {
        material(1, "alpha");
        SearchControl control(t->prompter);
        QVERIFY(control.StartSearch(request(1, "a"), t->base));
        SearchRequest files = request(0, "a");
        files.FileSearch = 1;
        files.FileTypes = "*.*";
        QVERIFY(!control.StartSearch(files, t->base));
        QCOMPARE(t->prompter.lastText(), QString("系统正在搜索，请先停止当前搜索!"));
        control.StopSearch();
        QVERIFY(!control.IsSearching());
        QVERIFY(control.StartSearch(files, t->base));
        QVERIFY(control.FileSearch().IsSearching());
        QVERIFY(QTest::qWaitFor([&] { return !control.IsSearching(); }, 10000));
    }

    void aStoppedSearchNeverWritesIntoTheNextOne() {
        for (int id = 1; id <= 300; ++id)
            material(id, id == 7 ? "needle" : "hay " + QString::number(id));
        SearchControl control(t->prompter);
        QStringList shown;
        connect(&control, &SearchControl::kbListCleared, this, [&] { shown.clear(); });
        connect(&control, &SearchControl::kbRowsAdded, this,
                [&](int, const QStringList& rows) { shown << rows; });
        QVERIFY(control.StartSearch(request(1, "hay"), t->base));
        control.StopSearch();
        QVERIFY(control.StartSearch(request(1, "needle"), t->base));
        QVERIFY(QTest::qWaitFor([&] { return !control.IsSearching(); }, 10000));
        QTest::qWait(50); // late rows of the first search would land now
        QCOMPARE(shown, QStringList({"根据资料名称对本地知识库 'needle'进行搜索...", "[7\t] needle",
                                     "共有1条记录被发现."}));

        // Stopped and not followed: its count line still closes the list.
        QVERIFY(control.StartSearch(request(1, "hay"), t->base));
        control.StopSearch();
        QVERIFY(!control.IsSearching());
        QVERIFY(QTest::qWaitFor([&] { return shown.last().startsWith("共有"); }, 10000));
    }
};

QTEST_GUILESS_MAIN(TestKbSearch)
#include "tst_kbsearch.moc"
