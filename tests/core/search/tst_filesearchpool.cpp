#include "CollectingSink.h"
#include "search/FileSearchEngine.h"
#include "search/FileSearchPool.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What a search of the generated files reports, known by construction: the
// files in the order of their folders, each file's matches in line order.
struct Expected {
    QList<FileSearchRow> rows;
    QList<FileSearchTotals> totals; // after each file
    // For each row, how many TotalsChanged calls come before it.
    QList<qsizetype> totalsBefore;
};

} // namespace

// The files of a search are searched on several threads; what reaches the
// sink must still be what one thread would have reported, in its order.
class TestFileSearchPool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void rowsAndTotalsInWalkOrder_data();
    void rowsAndTotalsInWalkOrder();
    void stopEndsAtTheRowItWasSetOn_data();
    void stopEndsAtTheRowItWasSetOn();

private:
    Expected expected(bool namesOnly) const;

    QTemporaryDir m_dir;
    QStringList m_folders;
    // Per file: its path and the line numbers of its matching lines.
    QList<std::pair<QString, QList<int>>> m_files;
};

void TestFileSearchPool::initTestCase() {
    // One file per folder, so the folder list fixes the order. The first
    // file is larger than a search keeps on its own thread; two files hold
    // more rows than a file waiting for its turn may; some match nothing.
    constexpr int kFiles = 60;
    const QByteArray filler(99, 'x');
    for (int i = 0; i < kFiles; ++i) {
        const QString folder = m_dir.filePath(QStringLiteral("f%1").arg(i));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/n.txt");
        QByteArray bytes;
        QList<int> lines;
        int line = 0;
        auto add = [&](const QByteArray& text, bool match) {
            bytes += text + '\n';
            ++line;
            if (match)
                lines.append(line);
        };
        if (i == 0) {
            for (int j = 0; j < 12000; ++j)
                add(j % 1000 == 999 ? QByteArray("key 0 ") + QByteArray::number(j) : filler,
                    j % 1000 == 999);
        } else if (i == 5 || i == 6) {
            for (int j = 0; j < int(2 * FileSearchPool::kHeldRows); ++j)
                add("key " + QByteArray::number(i) + ' ' + QByteArray::number(j), true);
        } else if (i % 9 == 4) {
            for (int j = 0; j < 30; ++j)
                add(filler, false);
        } else {
            for (int j = 0; j <= i % 5; ++j) {
                for (int k = 0; k < (i * 37 + j) % 50; ++k)
                    add(filler, false);
                add("key " + QByteArray::number(i) + ' ' + QByteArray::number(j), true);
            }
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
        m_folders.append(folder);
        m_files.append({path, lines});
    }
}

Expected TestFileSearchPool::expected(bool namesOnly) const {
    Expected e;
    FileSearchTotals t;
    for (const auto& file : m_files) {
        ++t.FilesSearched;
        if (!file.second.isEmpty()) {
            ++t.FilesMatched;
            e.rows.append({1, file.first});
            e.totalsBefore.append(e.totals.size());
        }
        QList<QByteArray> lines;
        if (!namesOnly) {
            QFile f(file.first);
            if (!f.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(file.first));
            lines = f.readAll().split('\n');
        }
        for (const int line : file.second) {
            if (namesOnly)
                break;
            // A matching line holds "key i j" and nothing else.
            e.rows.append(
                {2,
                 QStringLiteral("[%1行] %2").arg(line).arg(QString::fromLatin1(lines[line - 1]))});
            e.totalsBefore.append(e.totals.size());
            ++t.LinesMatched;
        }
        e.totals.append(t);
    }
    return e;
}

void TestFileSearchPool::rowsAndTotalsInWalkOrder_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<bool>("namesOnly");
    QTest::newRow("plain lines") << "key" << false << false;
    QTest::newRow("expression lines") << "key \\d+ \\d+" << true << false;
    QTest::newRow("names only") << "key" << false << true;
}

void TestFileSearchPool::rowsAndTotalsInWalkOrder() {
    QFETCH(QString, query);
    QFETCH(bool, regex);
    QFETCH(bool, namesOnly);
    SearchRequest r;
    r.FileSearch = 1;
    r.QueryText = query;
    r.FileTypes = QStringLiteral("*.*");
    r.RegularExpression = regex;
    r.NamesOnly = namesOnly;
    Expected e = expected(namesOnly);

    CollectingSink sink;
    const std::atomic<bool> stop{false};
    FileSearchEngine engine(r, CurrentKnowledgeBase{}, sink, stop);
    const FileSearchTotals totals = engine.SearchFolders(m_folders);
    e.rows.append(
        {1, QString::fromUtf8("搜索完成,包含%1个相关文件").arg(e.totals.last().FilesMatched)});
    QVERIFY(!engine.Stopped());
    QCOMPARE(sink.rows.size(), e.rows.size());
    QCOMPARE(sink.rows, e.rows);
    QCOMPARE(sink.totals, e.totals);
    QCOMPARE(totals, e.totals.last());
}

void TestFileSearchPool::stopEndsAtTheRowItWasSetOn_data() {
    QTest::addColumn<int>("stopRow");
    const QList<FileSearchRow> rows = expected(false).rows;
    // The row of file i's n-th line row, 0 for its file row.
    auto rowOf = [&](int file, int lineRow) {
        return int(rows.indexOf(FileSearchRow{1, m_files[file].first})) + lineRow;
    };
    QTest::newRow("first row") << 0;
    QTest::newRow("last line of file 2") << rowOf(2, 3);
    QTest::newRow("inside file 5, which holds rows back") << rowOf(5, 1000);
    QTest::newRow("file row after files that held rows back") << rowOf(7, 0);
    QTest::newRow("last row") << int(rows.size() - 1);
}

void TestFileSearchPool::stopEndsAtTheRowItWasSetOn() {
    QFETCH(int, stopRow);
    SearchRequest r;
    r.FileSearch = 1;
    r.QueryText = QStringLiteral("key");
    r.FileTypes = QStringLiteral("*.*");
    const Expected e = expected(false);
    QVERIFY(stopRow < e.rows.size());

    CollectingSink sink;
    std::atomic<bool> stop{false};
    sink.onRow = [&](const FileSearchRow&) {
        if (sink.rows.size() == stopRow + 1)
            stop = true;
    };
    FileSearchEngine engine(r, CurrentKnowledgeBase{}, sink, stop);
    engine.SearchFolders(m_folders);
    QVERIFY(engine.Stopped());
    // Everything up to the row the flag was set on, none after, then the
    // summary; the totals of every file finished before it.
    QList<FileSearchRow> rows = e.rows.first(stopRow + 1);
    const int matched = int(std::count_if(rows.cbegin(), rows.cend(),
                                          [](const FileSearchRow& row) { return row.level == 1; }));
    rows.append({1, QString::fromUtf8("搜索完成,包含%1个相关文件").arg(matched)});
    QCOMPARE(sink.rows.size(), rows.size());
    QCOMPARE(sink.rows, rows);
    QCOMPARE(sink.totals, e.totals.first(e.totalsBefore[stopRow]));
}

QTEST_GUILESS_MAIN(TestFileSearchPool)
#include "tst_filesearchpool.moc"
