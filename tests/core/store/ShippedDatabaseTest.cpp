#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "store/KnowledgeStore.h"

#include <QFile>
#include <QtTest>

// The build makes both shipped databases from the schema in the code; a base
// copied from either must work with the store at once.
class ShippedDatabaseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shippedDatabases_data();
    void shippedDatabases();
};

void ShippedDatabaseTest::shippedDatabases_data() {
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QStringList>("roots");
    QTest::addColumn<QString>("nextRoot");
    QTest::newRow("template") << "DataViaBase/Keepsake.mdb" << QStringList() << "01";
    QTest::newRow("default base") << "我的知识库/Keepsake.mdb" << QStringList{"欢迎使用"} << "02";
}

void ShippedDatabaseTest::shippedDatabases() {
    QFETCH(QString, relative);
    QFETCH(QStringList, roots);
    QFETCH(QString, nextRoot);
    TestHome home;
    const QString shipped = TestHome::shippedFolder() + u'/' + relative;
    QVERIFY2(QFile::exists(shipped), qPrintable(shipped));
    QVERIFY(!QFile::exists(shipped + QStringLiteral("-wal")));
    const QString copy = home.path(QStringLiteral("Keepsake.mdb"));
    QVERIFY(QFile::copy(shipped, copy));
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);

    Database db;
    QVERIFY2(db.Open(Database::ConnectionText(copy)), qPrintable(db.GetErrorText()));
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
    QCOMPARE(id, QStringLiteral("1"));

    Recordset result(&db);
    QCOMPARE(result.Open(QStringLiteral("PRAGMA journal_mode")), 1);
    QString mode;
    QVERIFY(result.GetValueText(0, mode));
    QCOMPARE(mode, QStringLiteral("wal"));
    QVERIFY(prompter.shown.isEmpty());
}

QTEST_GUILESS_MAIN(ShippedDatabaseTest)
#include "ShippedDatabaseTest.moc"
