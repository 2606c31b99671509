#include "CollectingSink.h"
#include "ContentIndexService.h"
#include "TestBase.h"
#include "config/TextCodec.h"
#include "search/ContentIndexFilter.h"
#include "search/ContentIndexer.h"
#include "search/FileSearchEngine.h"
#include "store/CategoryCode.h"
#include "store/ContentIndexStore.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

// The content index only ever narrows which folders a file search reads, so
// the model for every search through it is the same search reading every
// file.
class TestContentIndex : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void sameRowsAsReadingEveryFile();
    void shortQueryIsAnsweredByReading();
    void changedFolderIsReadWhenDistrusted();
    void damagedIndexIsRebuilt();
    void serviceDistrustsAChangedFolderUntilItIsUpdated();

private:
    struct Written {
        QString relative;
        QString text;
    };
    void makeBase(int materials);
    void writeFile(const QString& relative, const QString& text, bool utf8);
    QString randomText(int words);
    QList<FileSearchRow> search(const SearchRequest& request, bool useIndex,
                                const QSet<QString>& distrusted = {});
    void update();
    void compareRandomQueries(int count);

    QTemporaryDir m_cache;
    std::unique_ptr<TestBase> m_base;
    std::mt19937 m_random{20261207};
    QList<Written> m_files;
    QStringList m_folders; // relative material folders
};

namespace {

SearchRequest fileSearch(const QString& query) {
    SearchRequest r;
    r.FileSearch = 1;
    r.ScopeCode = QStringLiteral("000000");
    r.QueryText = query;
    r.FileTypes = QStringLiteral("*.*");
    return r;
}

const char* const kWords[] = {"Index",  "search", "KEEP",   "note",  "Table",    "value",
                              "知识库", "资料",   "搜索",   "文件",  "中文内容", "索引",
                              "Straße", "ΣΟΦΙΑ",  "kelvin", "Lines", "数据",     "x+y=z"};

} // namespace

void TestContentIndex::initTestCase() {
    // The index lives in the user's cache folder; this one goes away with
    // the test.
    qputenv("XDG_CACHE_HOME", m_cache.path().toUtf8());
}

void TestContentIndex::init() {
    m_base.reset();
    m_files.clear();
    m_folders.clear();
}

QString TestContentIndex::randomText(int words) {
    QString text;
    for (int i = 0; i < words; ++i) {
        const int pick = int(m_random() % (std::size(kWords) + 2));
        if (pick >= int(std::size(kWords))) {
            // A word found in few files, so that the index has folders to
            // pass over.
            text += QStringLiteral("rare") + QString::number(m_random() % 40);
        } else {
            text += QString::fromUtf8(kWords[pick]);
        }
        text += (m_random() % 6 == 0) ? QStringLiteral("\r\n") : QStringLiteral(" ");
    }
    return text;
}

void TestContentIndex::writeFile(const QString& relative, const QString& text, bool utf8) {
    const QString path = m_base->folder(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(utf8 ? text.toUtf8() : TextCodec::encode(text));
    file.close();
    for (Written& w : m_files) {
        if (w.relative == relative) {
            w.text = text;
            return;
        }
    }
    m_files.append({relative, text});
}

void TestContentIndex::makeBase(int materials) {
    m_base = std::make_unique<TestBase>();
    m_base->addItems({QStringLiteral("010000"), QStringLiteral("010100")});
    for (int i = 0; i < materials; ++i) {
        const QString id = QString::number(i + 1);
        const MaterialRecord m = m_base->addRow(id, QStringLiteral("010100"));
        m_folders.append(m.MinuItemFilePath);
        // GB18030 and UTF-8 files, one in a subfolder, one hidden.
        writeFile(m.MinuItemFilePath + QStringLiteral("a.txt"), randomText(30), false);
        writeFile(m.MinuItemFilePath + QStringLiteral("b.txt"), randomText(30), true);
        if (i % 3 == 0)
            writeFile(m.MinuItemFilePath + QStringLiteral("sub/c.txt"), randomText(20), true);
        if (i % 4 == 0)
            writeFile(m.MinuItemFilePath + QStringLiteral(".hidden.txt"), randomText(10), false);
    }
}

void TestContentIndex::update() {
    ContentIndexControl control;
    ContentIndexer indexer(m_base->base, true, control);
    QCOMPARE(indexer.UpdateAll(), ContentIndexer::Result::Done);
}

QList<FileSearchRow> TestContentIndex::search(const SearchRequest& request, bool useIndex,
                                              const QSet<QString>& distrusted) {
    CollectingSink sink;
    std::atomic<bool> stop{false};
    FileSearchEngine engine(request, m_base->base, sink, stop);
    ContentIndexUse use;
    use.Enabled = useIndex;
    for (const QString& folder : distrusted)
        use.Distrusted.insert(QDir::cleanPath(folder));
    engine.SetContentIndex(use);
    const FileSearchTotals totals = engine.Run();
    // The totals too: the files passed over count as searched.
    QList<FileSearchRow> rows = sink.rows;
    rows.append({0, QStringLiteral("%1 %2 %3")
                        .arg(totals.LinesMatched)
                        .arg(totals.FilesMatched)
                        .arg(totals.FilesSearched)});
    return rows;
}

void TestContentIndex::compareRandomQueries(int count) {
    int narrowed = 0;
    for (int i = 0; i < count; ++i) {
        const QString& text = m_files.at(int(m_random() % m_files.size())).text;
        const int length = 3 + int(m_random() % 6);
        const int from = int(m_random() % std::max<qsizetype>(1, text.size() - length));
        QString query = text.mid(from, length);
        if (m_random() % 2)
            query = query.toUpper();
        if (m_random() % 5 == 0)
            query += QStringLiteral("absent");
        SearchRequest r = fileSearch(query);
        r.MatchCase = int(m_random() % 2);
        r.WholeWord = int(m_random() % 4 == 0);
        r.IncludeHidden = int(m_random() % 2);
        r.NamesOnly = m_random() % 5 == 0;
        // Some types only: the files passed over are then counted by name.
        if (m_random() % 4 == 0)
            r.FileTypes = QStringLiteral("*b.txt;*c.txt");
        if (m_random() % 3 == 0) {
            // An expression whose required text is the query around a
            // wildcard, and now and then a second text further on.
            r.RegularExpression = 1;
            r.QueryText = QRegularExpression::escape(query) + QStringLiteral(".?\\w*");
            if (m_random() % 2)
                r.QueryText += QStringLiteral(".*") +
                               QRegularExpression::escape(text.mid(from + length + 2, 3));
        }
        if (!ContentIndexFilter::Trigrams(r).isEmpty()) {
            QStringList keys;
            for (const QString& folder : std::as_const(m_folders))
                keys.append(QDir::cleanPath(folder));
            narrowed += !ContentIndexFilter::FoldersToSkip(r, m_base->base, keys, {true, {}})
                             .PassOver.isEmpty();
        }
        const QList<FileSearchRow> expected = search(r, false);
        QCOMPARE(search(r, true), expected);
    }
    // Otherwise the comparison above would prove nothing about the index.
    QVERIFY(narrowed > count / 4);
}

void TestContentIndex::sameRowsAsReadingEveryFile() {
    makeBase(16);
    update();
    compareRandomQueries(150);

    // Behind the program's back: files added, changed and deleted, a
    // material's folder emptied; then an update.
    writeFile(m_folders[1] + QStringLiteral("new.txt"), randomText(25), true);
    writeFile(m_folders[2] + QStringLiteral("a.txt"), randomText(25), false);
    writeFile(m_folders[3] + QStringLiteral("sub/deeper/d.txt"), randomText(25), true);
    for (const QString& gone :
         {m_folders[4] + QStringLiteral("b.txt"), m_folders[0] + QStringLiteral("sub/c.txt")}) {
        QVERIFY(QFile::remove(m_base->folder(gone)));
        m_files.removeIf([&](const Written& w) { return w.relative == gone; });
    }
    QVERIFY(QDir(m_base->folder(m_folders[5])).removeRecursively());
    m_files.removeIf([&](const Written& w) { return w.relative.startsWith(m_folders[5]); });
    update();
    compareRandomQueries(150);
}

void TestContentIndex::shortQueryIsAnsweredByReading() {
    makeBase(4);
    writeFile(m_folders[2] + QStringLiteral("two.txt"), QStringLiteral("开头\n宝藏在此\n"), false);
    update();
    const SearchRequest r = fileSearch(QStringLiteral("宝藏"));
    QVERIFY(ContentIndexFilter::Trigrams(r).isEmpty());
    const QList<FileSearchRow> rows = search(r, true);
    QCOMPARE(rows, search(r, false));
    QCOMPARE(rows.size(), 4); // the file, its line, the summary, the totals
    QCOMPARE(rows[0].text, m_base->folder(m_folders[2] + QStringLiteral("two.txt")));
}

void TestContentIndex::changedFolderIsReadWhenDistrusted() {
    makeBase(6);
    update();
    writeFile(m_folders[3] + QStringLiteral("a.txt"), QStringLiteral("新写的 Unindexed 词\n"),
              true);
    const SearchRequest r = fileSearch(QStringLiteral("unindexed"));
    // The index has not seen the change: trusted, it hides the file.
    QCOMPARE(search(r, true).size(), 2); // the summary and the totals
    const QList<FileSearchRow> rows = search(r, true, {m_folders[3]});
    QCOMPARE(rows, search(r, false));
    QCOMPARE(rows.size(), 4);

    ContentIndexControl control;
    ContentIndexer indexer(m_base->base, true, control);
    const std::optional<ContentIndexer::Staleness> staleness = indexer.Check();
    QVERIFY(staleness);
    QCOMPARE(staleness->StaleFiles, 1);
    QCOMPARE(staleness->StaleFolders, QSet<QString>{QDir::cleanPath(m_folders[3])});
}

void TestContentIndex::damagedIndexIsRebuilt() {
    makeBase(3);
    update();
    const QString path = ContentIndexStore::PathFor(m_base->base.DatabasePath);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const SearchRequest r = fileSearch(QString::fromUtf8(kWords[6]));
    QCOMPARE(search(r, true), search(r, false));
    update();
    ContentIndexStore store;
    QVERIFY(store.OpenExisting(m_base->base.DatabasePath));
    QCOMPARE(store.FileCount(), std::optional<qint64>(m_files.size()));
}

void TestContentIndex::serviceDistrustsAChangedFolderUntilItIsUpdated() {
    makeBase(3);
    ContentIndexService service;
    QSignalSpy finished(&service, &ContentIndexService::finished);
    QVERIFY(!service.indexUse().Enabled);
    service.start(m_base->base, true);
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.takeFirst().at(0).toBool(), true);
    QVERIFY(service.indexUse().Enabled);
    QVERIFY(service.indexUse().Distrusted.isEmpty());

    // Changed behind the program's back: the watcher tells the service.
    const QString key = QDir::cleanPath(m_folders[1]);
    writeFile(m_folders[1] + QStringLiteral("sub/late.txt"), QStringLiteral("Latecomer"), true);
    QTRY_VERIFY_WITH_TIMEOUT(service.indexUse().Distrusted.contains(key), 20000);
    const SearchRequest r = fileSearch(QStringLiteral("latecomer"));
    QCOMPARE(search(r, true, service.indexUse().Distrusted), search(r, false));
    QVERIFY(finished.wait(20000));
    QVERIFY(service.indexUse().Distrusted.isEmpty());
    QCOMPARE(search(r, true), search(r, false));
    service.stop();
    QVERIFY(!service.indexUse().Enabled);
}

QTEST_GUILESS_MAIN(TestContentIndex)
#include "tst_contentindex.moc"
