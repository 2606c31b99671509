#include "TestBase.h"
#include "TestHome.h"
#include "search/BlockingFileSearch.h"
#include "search/FileSearchControl.h"

#include <QSignalSpy>
#include <QtTest>

// The file search against a real base: the scope's material folders come
// from the database, and the search runs on its worker thread.
class TestFileSearchControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { t.reset(); }
    void scopeChoosesMaterials();
    void headerNamesTheScope();
    void closedBaseIsReported();
    void stoppedSearchDoesNotEndNewerOne();
    void secondStartIsRefused();
    void questionGoesToPrompter();

private:
    void addMaterial(const QString& id, const QString& code, const QString& file,
                     const QByteArray& text) {
        const MaterialRecord m = t->addRow(id, code);
        QVERIFY(writeBytes(t->folder(m.MinuItemFilePath + file), text));
    }
    SearchRequest request(const QString& scope, const QString& query) const;
    QStringList blockingRows(const SearchRequest& r);
    bool waitForEnd(FileSearchControl& control, QSignalSpy& ended);

    std::unique_ptr<TestBase> t;
};

void TestFileSearchControl::init() {
    t = std::make_unique<TestBase>(QString::fromUtf8("我的知识库"));
    for (const auto& [name, code] :
         {std::pair{"编程", "010000"}, {"语言", "010100"}, {"C++", "010101"}, {"生活", "020000"}})
        QVERIFY(t->store.InsertItem(QString::fromUtf8(name), code));
    addMaterial("1", "010101", "a.txt", "key one\n");
    addMaterial("2", "010100", "b.txt", "key two\n");
    addMaterial("3", "020000", "c.txt", "key three\n");
    addMaterial("4", "010101", "d.txt", "key in the bin\n");
    QVERIFY(t->store.SetMaterialFlag("4", "EOS", "2009-02-01 00:00:00"));
}

SearchRequest TestFileSearchControl::request(const QString& scope, const QString& query) const {
    SearchRequest r;
    r.FileSearch = 1;
    r.ScopeCode = scope;
    r.QueryText = query;
    r.FileTypes = "*.txt";
    return r;
}

QStringList TestFileSearchControl::blockingRows(const SearchRequest& r) {
    QStringList rows;
    BlockingFileSearch::Run(r, t->base, t->prompter, [&](const FileSearchRow& row) {
        rows.append(QString::number(row.level) + ' ' + row.text.mid(row.text.lastIndexOf('/') + 1));
    });
    return rows;
}

bool TestFileSearchControl::waitForEnd(FileSearchControl& control, QSignalSpy& ended) {
    return QTest::qWaitFor([&] { return !control.IsSearching(); }, 20000) && ended.size() <= 1;
}

void TestFileSearchControl::scopeChoosesMaterials() {
    const QString summary2 = QString::fromUtf8("1 搜索完成,包含2个相关文件");
    QStringList rows = blockingRows(request("000000", "key"));
    rows.removeFirst(); // header
    QCOMPARE(rows, QStringList({"1 a.txt", QString::fromUtf8("2 [1行] key one"), "1 b.txt",
                                QString::fromUtf8("2 [1行] key two"), "1 c.txt",
                                QString::fromUtf8("2 [1行] key three"),
                                QString::fromUtf8("1 搜索完成,包含3个相关文件")}));
    rows = blockingRows(request("010000", "key"));
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.last(), summary2);
    QCOMPARE(blockingRows(request("010101", "key")).size(), 4);
    // A scope without materials ends with the header alone.
    QCOMPARE(blockingRows(request("030000", "key")).size(), 1);
}

void TestFileSearchControl::headerNamesTheScope() {
    QCOMPARE(BlockingFileSearch::Header(request("000000", "k"), t->base),
             QString::fromUtf8("搜索'k' --[我的知识库]知识库"));
    QCOMPARE(BlockingFileSearch::Header(request("010000", "k"), t->base),
             QString::fromUtf8("搜索'k' --[我的知识库\\编程]知识库根项"));
    QCOMPARE(BlockingFileSearch::Header(request("010100", "k"), t->base),
             QString::fromUtf8("搜索'k' --[我的知识库\\编程\\语言]知识库大项"));
    QCOMPARE(BlockingFileSearch::Header(request("010101", "%1"), t->base),
             QString::fromUtf8("搜索'%1' --[我的知识库\\编程\\语言\\C++]知识库小项"));
}

void TestFileSearchControl::closedBaseIsReported() {
    t->base.DatabasePath = t->folder("missing.mdb");
    QCOMPARE(blockingRows(request("000000", "key")).size(), 1);
    QCOMPARE(t->prompter.shown.size(), 1);
    QCOMPARE(t->prompter.lastText(), QString::fromUtf8("数据库没有打开或已经关闭!"));
    QCOMPARE(t->prompter.shown.last().caption, QString::fromUtf8("错误"));
}

void TestFileSearchControl::stoppedSearchDoesNotEndNewerOne() {
    // A slow first search: a large file that the stop cuts short.
    QByteArray big;
    while (big.size() < 32 * 1024 * 1024)
        big += QByteArray(255, 'x') + '\n';
    QVERIFY(writeBytes(t->folder("01/01/01/1/big.txt"), big));
    FileSearchControl control(t->prompter);
    QSignalSpy ended(&control, &FileSearchControl::searchEnded);
    QList<QStringList> batches;
    connect(&control, &FileSearchControl::rowsAdded, this,
            [&](int, const QList<FileSearchRow>& rows) {
                QStringList texts;
                for (const auto& row : rows)
                    texts.append(row.text);
                batches.append(texts);
            });
    QVERIFY(control.Start(request("000000", "xyz"), t->base));
    control.Stop();
    QVERIFY(!control.IsSearching());
    // Nothing of the first search has been delivered yet: its end and rows
    // wait in the queue while the second search starts.
    SearchRequest second = request("020000", "three");
    second.ResultWindow = 2;
    QVERIFY(control.Start(second, t->base));
    QCOMPARE(control.Generation(), quint64(2));
    QVERIFY(waitForEnd(control, ended));
    QCOMPARE(ended.size(), 1);
    const QStringList all = [&] {
        QStringList out;
        for (const auto& b : batches)
            out += b;
        return out;
    }();
    QCOMPARE(all.size(), 3);
    QVERIFY(all[0].endsWith("c.txt"));
    QCOMPARE(all[2], QString::fromUtf8("搜索完成,包含1个相关文件"));
}

void TestFileSearchControl::secondStartIsRefused() {
    FileSearchControl control(t->prompter);
    QSignalSpy ended(&control, &FileSearchControl::searchEnded);
    QVERIFY(control.Start(request("000000", "key"), t->base));
    QVERIFY(!control.Start(request("000000", "key"), t->base));
    QCOMPARE(t->prompter.shown.last().text, QString::fromUtf8("请先停止知识库搜索!"));
    QCOMPARE(t->prompter.shown.last().caption, QString::fromUtf8("错误"));
    QVERIFY(waitForEnd(control, ended));
    QCOMPARE(ended.size(), 1);
}

void TestFileSearchControl::questionGoesToPrompter() {
    FileSearchControl control(t->prompter);
    QSignalSpy ended(&control, &FileSearchControl::searchEnded);
    QSignalSpy totals(&control, &FileSearchControl::totalsChanged);
    SearchRequest r = request("000000", "(key");
    r.RegularExpression = 1;
    t->prompter.answerNext(Prompter::Answer::No);
    QVERIFY(control.Start(r, t->base));
    QVERIFY(waitForEnd(control, ended));
    QCOMPARE(ended.size(), 1);
    QCOMPARE(t->prompter.shown.size(), 1);
    QCOMPARE(t->prompter.shown[0].caption, QString::fromUtf8("警告"));
    QVERIFY(t->prompter.shown[0].text.endsWith(" Continue?"));
}

QTEST_GUILESS_MAIN(TestFileSearchControl)
#include "tst_filesearchcontrol.moc"
