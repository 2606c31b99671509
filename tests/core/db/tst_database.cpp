#include "ReadOnlyMount.h"
#include "TestHome.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Transaction.h"
#include "store/KnowledgeSchema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <atomic>
#include <sqlite3.h>
#include <thread>

namespace {

QString makeBase(const TestHome& home, const QString& name = QStringLiteral("Keepsake.mdb")) {
    const QString path = home.path(name);
    KnowledgeSchema::CreateDatabaseFile(path, QStringLiteral("2009-03-01 08:05:00"));
    return path;
}

QString countOf(Database& db, const QString& table) {
    Recordset result(&db);
    QString text;
    if (result.Open(QStringLiteral("select count(*) from ") + table))
        result.GetValueText(0, text);
    return text;
}

// Names, sizes and bytes of everything in a folder.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        QFile file(info.filePath());
        files.insert(info.fileName(),
                     info.isDir() ? QByteArray("<dir>")
                                  : (file.open(QIODevice::ReadOnly) ? file.readAll() : "<unread>"));
    }
    return files;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openAndClose();
    void badFilesFailWithoutWriting_data();
    void badFilesFailWithoutWriting();
    void lockedFileFails();
    void readOnlyMediumIsReadOnly();
    void failedStatementsReturnFalse();
    void transactions();
    void workerReadsWhileGuiWrites();
};

void TestDatabase::openAndClose() {
    TestHome home;
    const QString first = makeBase(home);
    // A file name is taken whole, also with what once separated settings.
    const QString second = makeBase(home, QStringLiteral("知识库;Data Source=2.mdb"));

    Database db;
    QVERIFY(!db.Close()); // never opened
    QVERIFY(db.Open(first));
    QVERIFY(db.IsOpen());
    QVERIFY(!db.IsReadOnly());
    QCOMPARE(db.FilePath(), first);
    QCOMPARE(countOf(db, QStringLiteral("ItemTable")), QStringLiteral("1"));

    // Opening again moves the connection to the other file.
    QVERIFY2(db.Open(second), qPrintable(db.GetErrorText()));
    QCOMPARE(db.FilePath(), second);
    QVERIFY(db.Close());
    QVERIFY(!db.Close());

    // A missing file leaves the Database closed, even if it was open before.
    QVERIFY(db.Open(first));
    QVERIFY(!db.Open(home.path(QStringLiteral("none.mdb"))));
    QVERIFY(!db.IsOpen());

    // An empty path names no file; it must not stand for the working folder.
    QVERIFY(db.Open(first));
    QVERIFY(!db.Open(QString()));
    QVERIFY(!db.IsOpen());
    QVERIFY(db.GetErrorText().startsWith(QLatin1String("Description: ")));
}

void TestDatabase::badFilesFailWithoutWriting_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind :
         {"missing", "empty", "random", "truncated", "header", "directory", "readonly"})
        QTest::newRow(kind) << QString(kind);
}

void TestDatabase::badFilesFailWithoutWriting() {
    QFETCH(QString, kind);
    TestHome home;
    const QString folder = home.path(QStringLiteral("base"));
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/Keepsake.mdb");

    if (kind == QLatin1String("empty")) {
        home.write(QStringLiteral("base/Keepsake.mdb"), {});
    } else if (kind == QLatin1String("random")) {
        QByteArray bytes;
        quint32 x = 12345;
        for (int i = 0; i < 8192; ++i)
            bytes.append(char((x = x * 1103515245u + 12345u) >> 24));
        home.write(QStringLiteral("base/Keepsake.mdb"), bytes);
    } else if (kind == QLatin1String("truncated") || kind == QLatin1String("header")) {
        const QString whole = makeBase(home);
        QByteArray bytes = home.read(QStringLiteral("Keepsake.mdb"));
        QVERIFY(bytes.size() > 3 * 4096);
        bytes.truncate(kind == QLatin1String("header") ? 100 : 2 * 4096);
        home.write(QStringLiteral("base/Keepsake.mdb"), bytes);
        QVERIFY(QFile::remove(whole));
    } else if (kind == QLatin1String("directory")) {
        QDir().mkpath(path);
    } else if (kind == QLatin1String("readonly")) {
        QVERIFY(KnowledgeSchema::CreateDatabaseFile(path, QStringLiteral("2009-03-01 08:05:00")));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    }
    const auto before = snapshot(folder);

    Database db;
    QVERIFY(!db.Open(path));
    QVERIFY(!db.IsOpen());
    QVERIFY(db.GetErrorText().startsWith(QLatin1String("Description: ")));
    QCOMPARE(snapshot(folder), before); // nothing made, nothing changed
    Recordset result(&db);
    QVERIFY(!result.Open(QStringLiteral("select 1")));
}

void TestDatabase::readOnlyMediumIsReadOnly() {
    TestHome home;
    const QString folder = home.path(QStringLiteral("medium"));
    ReadOnlyMount medium(folder);
    if (!medium.failure().isEmpty())
        QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: ") + medium.failure()));
    const QString path = folder + QStringLiteral("/知识 #1?/Keepsake.mdb");
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(KnowledgeSchema::CreateDatabaseFile(path, QStringLiteral("2009-03-01 08:05:00")));
    {
        Database writer;
        QVERIFY(writer.Open(path));
        Recordset insert(&writer);
        QVERIFY(insert.Open(QStringLiteral("insert into ItemTable(ItemID,ItemName,ItemFlag,"
                                           "Preference,CreateTime) values('010000','根','AOS',"
                                           "1,'2009-03-01 08:06:00')")));
    }
    QVERIFY(medium.makeReadOnly());
    const auto before = snapshot(QFileInfo(path).absolutePath());

    // Browsing works; writing fails with a reason and changes nothing.
    Database db;
    QVERIFY2(db.Open(path), qPrintable(db.GetErrorText()));
    QVERIFY(db.IsReadOnly());
    QCOMPARE(countOf(db, QStringLiteral("ItemTable")), QStringLiteral("2"));
    Recordset write(&db);
    QVERIFY(!write.Open(QStringLiteral("delete from ItemTable")));
    QVERIFY(!db.GetErrorText().isEmpty());
    QVERIFY(!db.BeginTransaction());
    QCOMPARE(countOf(db, QStringLiteral("ItemTable")), QStringLiteral("2"));
    // A second reader, as the search worker opens.
    Database worker;
    QVERIFY(worker.Open(path));
    QCOMPARE(countOf(worker, QStringLiteral("ItemTable")), QStringLiteral("2"));
    QCOMPARE(snapshot(QFileInfo(path).absolutePath()), before);
}

void TestDatabase::lockedFileFails() {
    TestHome home;
    const QString path = makeBase(home);
    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other,
                          "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;"
                          "insert into KeyWordTable values(1,'x')",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);

    Database db;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!db.Open(path));
    QVERIFY(timer.elapsed() < Database::kBusyTimeoutMs);
    QVERIFY(db.GetErrorText().contains(QLatin1String("State: HYT00")));

    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QVERIFY(db.Open(path));
    QCOMPARE(countOf(db, QStringLiteral("KeyWordTable")), QStringLiteral("1"));
}

void TestDatabase::failedStatementsReturnFalse() {
    TestHome home;
    Database db;
    Recordset result;
    QVERIFY(!result.Open(QStringLiteral("select 1"))); // no database
    QVERIFY(db.Open(makeBase(home)));
    result.SetDatabase(&db);

    QVERIFY(!result.Open(QStringLiteral("selec ItemID from ItemTable")));
    QVERIFY(!result.IsOpen());
    static const QRegularExpression form(QStringLiteral(
        "^Description: .*syntax error\r\n\r\nState: 42000, Native: 1, Source: SQLite 3\\S+\r\n$"));
    QVERIFY2(form.match(db.GetErrorText()).hasMatch(), qPrintable(db.GetErrorText()));

    // Each failure leaves its own reason behind, not the one before it: the
    // states are ODBC's (42000 syntax, 07001 parameter count, 23000
    // integrity), the native code SQLite's extended one.
    struct Bad {
        const char* statement;
        QVariantList params;
        const char* reason;
    };
    const Bad bad[] = {
        // A second statement never runs behind the first one's back.
        {"select 1; delete from ItemTable", {}, "State: 42000"},
        {"select 1 from ItemTable where ItemID = ?", {}, "State: 07001"},
        {"   ", {}, "State: 42000"},
        {"select 1", {QStringLiteral("x")}, "State: 07001"},
        // The root row has ID 1.
        {"insert into ItemTable(ID,ItemID,ItemName,ItemFlag) values(?,'010000','x','AOS')",
         {1},
         "State: 23000, Native: 1555"},
    };
    QString before = db.GetErrorText();
    for (const Bad& b : bad) {
        // A result read before must not show through a failed one.
        QVERIFY(result.Open(QStringLiteral("select ItemID from ItemTable")));
        QVERIFY(!result.IsEOF());
        QVERIFY2(!result.Open(QString::fromUtf8(b.statement), b.params), b.statement);
        QVERIFY(!result.IsOpen());
        QVERIFY(result.IsEOF());
        QCOMPARE(result.GetFieldCount(), 0);
        const QString reason = db.GetErrorText();
        QVERIFY2(reason != before && reason.startsWith(QLatin1String("Description: ")) &&
                     reason.contains(QLatin1String(b.reason)),
                 qPrintable(QString::fromUtf8(b.statement) + QStringLiteral(": ") + reason));
        before = reason;
    }
    QCOMPARE(countOf(db, QStringLiteral("ItemTable")), QStringLiteral("1"));

    // A trailing semicolon is still one statement; a write reports its rows.
    QVERIFY(
        result.Open(QStringLiteral("update ItemTable set ItemName = ?;"), {QStringLiteral("x")}));
    QCOMPARE(result.RowsAffected(), 1);
    QCOMPARE(result.GetFieldCount(), 0);
    QVERIFY(result.IsEOF());
}

void TestDatabase::transactions() {
    TestHome home;
    Database db;
    QVERIFY(!db.BeginTransaction());
    QVERIFY(db.Open(makeBase(home)));
    Recordset result(&db);
    auto insert = [&](int id) {
        return result.Open(QStringLiteral("insert into KeyWordTable values(?, 'k')"), {id});
    };
    {
        Transaction t(db);
        QVERIFY(insert(1));
    } // not committed: rolled back
    QCOMPARE(countOf(db, QStringLiteral("KeyWordTable")), QStringLiteral("0"));
    {
        Transaction outer(db);
        QVERIFY(insert(1));
        {
            Transaction inner(db);
            QCOMPARE(db.TransactionDepth(), 2);
            QVERIFY(insert(2));
        } // only the inner rows go
        QVERIFY(insert(3));
        QVERIFY(outer.Commit());
    }
    QCOMPARE(db.TransactionDepth(), 0);
    QVERIFY(result.Open(QStringLiteral("select group_concat(MinuItemID) from KeyWordTable")));
    QString ids;
    QVERIFY(result.GetValueText(0, ids));
    QCOMPARE(ids, QStringLiteral("1,3"));
    QVERIFY(!db.CommitTransaction());
    QVERIFY(!db.RollbackTransaction());
}

void TestDatabase::workerReadsWhileGuiWrites() {
    TestHome home;
    const QString path = makeBase(home);
    Database gui;
    QVERIFY(gui.Open(path));
    Recordset result(&gui);
    auto insertRound = [&] {
        for (int i = 0; i < 200; ++i)
            if (!result.Open(QStringLiteral("insert into KeyWordTable values(?, ?)"),
                             {i % 7, QStringLiteral("关键字%1").arg(i)}))
                return false;
        return true;
    };

    // The worker opens its connection while this one holds a write.
    auto first = std::make_unique<Transaction>(gui);
    QVERIFY(insertRound());
    std::atomic<bool> writing{true};
    std::atomic<int> reads{0};
    std::atomic<int> readsWhileWriting{0};
    std::atomic<int> failures{0};
    QString firstCount;
    std::thread worker([&] {
        Database own;
        if (!own.Open(path)) {
            ++failures;
            return;
        }
        firstCount = countOf(own, QStringLiteral("KeyWordTable"));
        do {
            const bool during = writing;
            Recordset rows(&own);
            if (rows.Open(QStringLiteral("select MinuItemID,KeyValue from KeyWordTable where "
                                         "MinuItemID in(?,?)"),
                          {1, 2})) {
                ++reads;
                readsWhileWriting += during && writing;
            } else {
                ++failures;
            }
        } while (writing || reads < 20);
    });
    QTRY_VERIFY_WITH_TIMEOUT(reads > 0 || failures > 0, 10000);
    QVERIFY(first->Commit());
    first.reset();

    // Many more transactions, with checkpoints among them.
    for (int round = 1; round < 40; ++round) {
        Transaction t(gui);
        QVERIFY(t.IsActive());
        QVERIFY(insertRound());
        QVERIFY(t.Commit());
    }
    writing = false;
    worker.join();
    QCOMPARE(failures.load(), 0);
    QCOMPARE(firstCount, QStringLiteral("0")); // the uncommitted rows were not seen
    QVERIFY(reads >= 20);
    QVERIFY(readsWhileWriting > 0);
    QCOMPARE(countOf(gui, QStringLiteral("KeyWordTable")), QStringLiteral("8000"));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
