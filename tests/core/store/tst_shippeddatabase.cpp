#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "store/KnowledgeStore.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

// Runs the build's database tool on the file; its messages come back.
QString runMakeDatabase(const QString& path) {
    QProcess tool;
    tool.start(QStringLiteral(KEEPSAKE_MAKEDB), {QStringLiteral("welcome"), path});
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0)
        return QStringLiteral("<failed>");
    return QString::fromUtf8(tool.readAllStandardError());
}

QString materialName(const QString& path, const QString& id) {
    Database db;
    ScriptedPrompter prompter;
    KnowledgeStore store(db, prompter);
    MaterialRecord material;
    if (!db.Open(path) || !store.GetMaterial(id, material))
        return QStringLiteral("<unreadable>");
    return material.MinuItemName;
}

} // namespace

// The build makes both shipped databases from the schema in the code; a base
// copied from either must work with the store at once.
class TestShippedDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shippedDatabases_data();
    void shippedDatabases();
    void rebuildKeepsWhatTheUserChanged_data();
    void rebuildKeepsWhatTheUserChanged();
};

void TestShippedDatabase::shippedDatabases_data() {
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QStringList>("roots");
    QTest::addColumn<QString>("nextRoot");
    QTest::addColumn<QString>("nextMaterial");
    QTest::newRow("template") << "DataViaBase/Keepsake.mdb" << QStringList() << "01"
                              << "1";
    // The default base comes with seven welcome materials.
    QTest::newRow("default base") << "我的知识库/Keepsake.mdb" << QStringList{"欢迎使用"} << "02"
                                  << "8";
}

void TestShippedDatabase::shippedDatabases() {
    QFETCH(QString, relative);
    QFETCH(QStringList, roots);
    QFETCH(QString, nextRoot);
    QFETCH(QString, nextMaterial);
    TestHome home;
    const QString shipped = TestHome::shippedFolder() + u'/' + relative;
    QVERIFY2(QFile::exists(shipped), qPrintable(shipped));
    QVERIFY(!QFile::exists(shipped + QStringLiteral("-wal")));
    const QString copy = home.path(QStringLiteral("Keepsake.mdb"));
    QVERIFY(QFile::copy(shipped, copy));
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);

    Database db;
    QVERIFY2(db.Open(copy), qPrintable(db.GetErrorText()));
    ScriptedPrompter prompter;
    KnowledgeStore store(db, prompter);
    QList<ItemRecord> items;
    QVERIFY(store.LoadAllItems(items));
    QVERIFY(!items.isEmpty());
    QCOMPARE(items.first().ItemID, QStringLiteral("000000"));
    QVERIFY(store.LoadChildItems(QStringLiteral("000000"), items));
    QStringList names;
    for (const ItemRecord& item : items) {
        names.append(item.ItemName);
        // Every welcome root leads down to a minor a material can be filed under.
        QList<ItemRecord> majors, minors;
        QVERIFY(store.LoadChildItems(item.ItemID, majors));
        QVERIFY(!majors.isEmpty());
        QVERIFY(store.LoadChildItems(majors.first().ItemID, minors));
        QVERIFY(!minors.isEmpty());
    }
    QCOMPARE(names, roots);
    QString segment;
    QVERIFY(store.NextChildSegment(QStringLiteral("000000"), segment));
    QCOMPARE(segment, nextRoot);
    QString id;
    QVERIFY(store.NextMaterialId(id));
    QCOMPARE(id, nextMaterial);

    Recordset result(&db);
    QVERIFY(result.Open(QStringLiteral("PRAGMA journal_mode")));
    QString mode;
    QVERIFY(result.GetValueText(0, mode));
    QCOMPARE(mode, QStringLiteral("wal"));
    QVERIFY(prompter.shown.isEmpty());
}

void TestShippedDatabase::rebuildKeepsWhatTheUserChanged_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("kept");
    QTest::newRow("untouched") << QString() << false;
    QTest::newRow("renamed welcome material")
        << "update MinuItemTable set MinuItemName ='我的上手笔记' where MinuItemID =1" << true;
    QTest::newRow("deleted welcome material")
        << "update MinuItemTable set MinuItemFlag ='EOS' where MinuItemID =1" << true;
    QTest::newRow("moved welcome material")
        << "update MinuItemTable set ItemID ='010201' where MinuItemID =1" << true;
    QTest::newRow("own keyword") << "insert into KeyWordTable(MinuItemID,KeyValue) values(1,'我的')"
                                 << true;
    QTest::newRow("own material")
        << "insert into MinuItemTable(MinuItemID,MinuItemName,ItemID,DescribeFileType,"
           "MinuItemDescribeFilename,MinuItemFilePath,CreateTime,MinuItemFlag) values(8,"
           "'读书笔记','010201',0,'读书笔记.rtf','01/02/01/8/','2024-03-05 07:08:09','AOS')"
        << true;
}

// The build runs the tool again whenever it changes, and the build folder
// may be someone's program folder: a base with the user's own changes stays.
void TestShippedDatabase::rebuildKeepsWhatTheUserChanged() {
    QFETCH(QString, change);
    QFETCH(bool, kept);
    TestHome home;
    const QString copy = home.path(QStringLiteral("Keepsake.mdb"));
    QVERIFY(
        QFile::copy(TestHome::shippedFolder() + QStringLiteral("/我的知识库/Keepsake.mdb"), copy));
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
    if (!change.isEmpty()) {
        Database db;
        QVERIFY(db.Open(copy));
        ScriptedPrompter prompter;
        KnowledgeStore store(db, prompter);
        QVERIFY(store.ExecuteStatement(change));
    }
    const QString before = materialName(copy, QStringLiteral("1"));

    const QString messages = runMakeDatabase(copy);
    QCOMPARE(messages.contains(QStringLiteral("keeping")), kept);
    if (kept) {
        QCOMPARE(materialName(copy, QStringLiteral("1")), before);
    } else {
        QCOMPARE(messages, QString());
        QCOMPARE(materialName(copy, QStringLiteral("1")), QStringLiteral("快速上手"));
    }
}

QTEST_GUILESS_MAIN(TestShippedDatabase)
#include "tst_shippeddatabase.moc"
