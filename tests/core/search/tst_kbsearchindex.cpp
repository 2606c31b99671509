#include "TestBase.h"
#include "db/Transaction.h"
#include "search/BlockingKbSearch.h"
#include "search/KbSearchIndex.h"

#include <QRandomGenerator>
#include <QtTest>

// The index behind the knowledge-base search must list what the search on
// the database lists, row for row, and never an old state of the base. The
// search on the database stays for searches by time alone and for a base the
// index cannot read, so it is the model here.
class TestKbSearchIndex : public QObject {
    Q_OBJECT

    std::unique_ptr<TestBase> t;

    // Pieces of names, keywords and queries: Chinese, ASCII in both cases,
    // the characters of a "like" pattern and of a statement, and letters
    // with more than one spelling (the Kelvin sign is a k, İ lowers to i).
    const QStringList m_pieces = {"代码",   "Code",  "cODE",   "资料", "100%",  "a_b",
                                  "it's",   "\"q\"", "\u212A", "İs",   "ÄPFEL", "äpfel",
                                  "κόσμος", "😀",     "x",      " ",    "kit"};

    QStringList rows(const SearchRequest& r, KbSearchIndex* index) {
        QStringList out;
        BlockingKbSearch::Run(
            r, t->base, t->prompter, [&](const QString& row) { out << row; }, nullptr, index);
        return out;
    }
    QString text(QRandomGenerator& random, int most) {
        QString s;
        for (int n = 1 + random.bounded(most); n > 0; --n)
            s += m_pieces.at(random.bounded(m_pieces.size()));
        return s;
    }

private Q_SLOTS:
    void init() {
        t = std::make_unique<TestBase>();
        t->addItems({"010000", "010100", "010101", "010102", "010200", "010201", "020000", "020100",
                     "020101", "0A0000", "0A0A00", "0A0A0A"});
    }
    void cleanup() { t.reset(); }

    void listsWhatTheDatabaseSearchLists() {
        QRandomGenerator random(20091);
        const QStringList codes = {"010101", "010102", "010201", "020101", "0A0A0A", "010100"};
        {
            Transaction transaction(t->db);
            for (int id = 1; id <= 240; ++id) {
                const QString key = QString::number(id);
                t->addRow(key, codes.at(random.bounded(codes.size())), text(random, 3),
                          QStringLiteral("2009-%1-%2 1%3:00:00")
                              .arg(1 + random.bounded(3), 2, 10, QLatin1Char('0'))
                              .arg(1 + random.bounded(28), 2, 10, QLatin1Char('0'))
                              .arg(random.bounded(10)));
                for (int k = random.bounded(4); k > 0; --k)
                    QVERIFY(t->store.InsertKeyword(key, text(random, 2)));
                if (random.bounded(6) == 0)
                    QVERIFY(t->store.SetMaterialFlag(key, "EOS", "2009-04-01 00:00:00"));
            }
            QVERIFY(t->store.InsertKeyword("9999", "代码 of no material"));
            QVERIFY(transaction.Commit());
        }
        const QStringList scopes = {"000000", "010000", "010100", "010101",
                                    "0A0A0A", "020000", "0B0000", "01%000"};
        const QStringList queries = {"",  "CODE", "k",  "K",  "i",      "ä", "Ä", "%",
                                     "_", "'",    "de", "代", "资料代", "Σ", "😀"};
        const QStringList dates = {"", "2009-02-01", "2009-02-14", "2009-03-28"};
        KbSearchIndex index(t->base.DatabasePath);
        for (int i = 0; i < 400; ++i) {
            SearchRequest r;
            r.Kind = 1 + random.bounded(7);
            r.ScopeCode = scopes.at(random.bounded(scopes.size()));
            r.QueryText = random.bounded(2) ? queries.at(random.bounded(queries.size()))
                                            : m_pieces.at(random.bounded(m_pieces.size()));
            r.FromDate = dates.at(random.bounded(dates.size()));
            r.ToDate = dates.at(random.bounded(dates.size()));
            QCOMPARE(rows(r, &index), rows(r, nullptr));
        }
        // Every search came from the one reading of the unchanged base.
        QCOMPARE(index.loads(), 1);
    }

    void seesWhatAnotherConnectionCommitted() {
        t->addRow("1", "010101", "first name");
        t->addRow("2", "010101", "second");
        QVERIFY(t->store.InsertKeyword("2", "old word"));
        KbSearchIndex index(t->base.DatabasePath);
        SearchRequest r;
        r.ScopeCode = "000000";
        r.Kind = 3;
        r.QueryText = "new";
        QCOMPARE(rows(r, &index).size(), 2); // header and count line: nothing yet
        // The test's own connection is another connection to the index, as
        // another process's would be.
        QVERIFY(t->store.RenameMaterial("1", "new name"));
        QVERIFY(t->store.InsertKeyword("2", "new word"));
        QCOMPARE(rows(r, &index),
                 QStringList({"根据名称和关键字对本地知识库 'new'进行搜索...", "[1\t] new name",
                              "[2\t] second", "共有2条记录被发现."}));
        QVERIFY(t->store.SetMaterialFlag("1", "EOS", "2009-04-01 00:00:00"));
        QCOMPARE(rows(r, &index).at(1), QString("[2\t] second"));
        QCOMPARE(rows(r, &index).size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestKbSearchIndex)
#include "tst_kbsearchindex.moc"
