#include "store/CategoryCode.h"
#include "store/ItemNameCache.h"

#include <QtTest>

using namespace CategoryCode;

class TestCategoryCode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nextSegment_data();
    void nextSegment();
    void levelsAndForm();
    void firstFreeSegment();
    void nameCacheFollowsChanges();
};

void TestCategoryCode::nextSegment_data() {
    QTest::addColumn<QString>("segment");
    QTest::addColumn<QString>("next");
    // segment:next; "ZZ" is what a malformed segment gives.
    for (const QString& pair :
         QStringLiteral("01:02 09:0A 0Z:10 9Z:A0 ZY:ZZ ZZ:00 1:ZZ 010:ZZ 0a:ZZ 0%:ZZ").split(' '))
        QTest::newRow(qPrintable(pair)) << pair.section(':', 0, 0) << pair.section(':', 1);
}

void TestCategoryCode::nextSegment() {
    QFETCH(QString, segment);
    QFETCH(QString, next);
    QCOMPARE(NextSegment(segment), next);
}

void TestCategoryCode::levelsAndForm() {
    QCOMPARE(LevelOf(QStringLiteral("000000")), Level::WholeBase);
    QCOMPARE(LevelOf(QStringLiteral("0A0000")), Level::Root);
    QCOMPARE(LevelOf(QStringLiteral("0A0Z00")), Level::Major);
    QCOMPARE(LevelOf(QStringLiteral("0A0Z10")), Level::Minor);
    QCOMPARE(LevelOf(QStringLiteral("01000")), Level::Invalid);

    for (const char* good : {"000000", "ZZ0000", "01ZZ00", "0A0B0C"})
        QVERIFY2(IsWellFormed(QLatin1String(good)), good);
    for (const char* bad : {"01010", "0101010", "0a0000", "01%%00", "01__00", "0100AB", "00AB00",
                            "01 100", "01０100"})
        QVERIFY2(!IsWellFormed(QString::fromUtf8(bad)), bad);

    QCOMPARE(ChildCode(QStringLiteral("000000"), QStringLiteral("0B")), QStringLiteral("0B0000"));
    QCOMPARE(ChildCode(QStringLiteral("0B0000"), QStringLiteral("10")), QStringLiteral("0B1000"));
    QCOMPARE(ChildCode(QStringLiteral("0B1000"), QStringLiteral("ZZ")), QStringLiteral("0B10ZZ"));
    QCOMPARE(ChildCode(QStringLiteral("0B10ZZ"), QStringLiteral("01")), QString());
    QCOMPARE(MaterialFolder(QStringLiteral("010203"), QStringLiteral("17")),
             QStringLiteral("01/02/03/17/"));

    // Up the tree: what an item and everything under it share, and where it hangs.
    QCOMPARE(SharedPrefix(QStringLiteral("0B0000")), QStringLiteral("0B"));
    QCOMPARE(SharedPrefix(QStringLiteral("0B1000")), QStringLiteral("0B10"));
    QCOMPARE(SharedPrefix(QStringLiteral("0B10ZZ")), QStringLiteral("0B10ZZ"));
    QCOMPARE(ParentOf(QStringLiteral("0B10ZZ")), QStringLiteral("0B1000"));
    QCOMPARE(ParentOf(QStringLiteral("0B1000")), QStringLiteral("0B0000"));
    QCOMPARE(ParentOf(QStringLiteral("0B0000")), QStringLiteral("000000"));
}

void TestCategoryCode::firstFreeSegment() {
    auto free = [](const char* segments) {
        return FirstFreeSegment(QString::fromLatin1(segments).split(u' ', Qt::SkipEmptyParts));
    };
    QCOMPARE(free(""), QStringLiteral("01"));
    QCOMPARE(free("00"), QStringLiteral("01"));
    QCOMPARE(free("00 01 02 04"), QStringLiteral("03"));
    QCOMPARE(free("01 02"), QStringLiteral("03"));          // the parent's row is not needed
    QCOMPARE(free("00 01 01 02 02"), QStringLiteral("03")); // duplicates count once
    QCOMPARE(free("00 02"), QStringLiteral("01"));
    QStringList all{QStringLiteral("00")};
    for (QString s = QStringLiteral("01"); s != QLatin1String("00"); s = NextSegment(s))
        all.append(s);
    QCOMPARE(all.size(), 1296);
    QCOMPARE(FirstFreeSegment(all), QStringLiteral("00"));
    const QString gap = all.takeAt(700);
    QCOMPARE(FirstFreeSegment(all), gap);
}

void TestCategoryCode::nameCacheFollowsChanges() {
    ItemNameCache cache;
    cache.Reset({{"1", "000000", "库", 0},
                 {"2", "010000", "根", 1},
                 {"3", "010100", "大", 2},
                 {"4", "010101", "小", 3},
                 {"5", "010101", "重复", 4}});
    QCOMPARE(cache.NameOf(QStringLiteral("010101")), QStringLiteral("小")); // first row wins
    QCOMPARE(cache.DisplayPath(QStringLiteral("我的知识库"), QStringLiteral("010101")),
             QStringLiteral("我的知识库\\根\\大\\小"));
    QCOMPARE(cache.DisplayPath(QStringLiteral("我的知识库"), QStringLiteral("010000")),
             QStringLiteral("我的知识库\\根"));

    cache.ForgetById(QStringLiteral("4"));
    QCOMPARE(cache.NameOf(QStringLiteral("010101")), QStringLiteral("重复"));
    cache.Recode(QStringLiteral("010100"), QStringLiteral("010200"));
    QCOMPARE(cache.NameOf(QStringLiteral("010100")), QString());
    QCOMPARE(cache.NameOf(QStringLiteral("010200")), QStringLiteral("大"));
    cache.Remember(QStringLiteral("020000"), QStringLiteral("新根"));
    cache.Remember(QStringLiteral("010000"), QStringLiteral("改名"));
    QCOMPARE(cache.Items().size(), 5);
    QCOMPARE(cache.NameOf(QStringLiteral("010000")), QStringLiteral("改名"));
    cache.ForgetUnder(QStringLiteral("01"));
    QCOMPARE(cache.Items().size(), 2);
    QCOMPARE(cache.NameOf(QStringLiteral("020000")), QStringLiteral("新根"));
}

QTEST_GUILESS_MAIN(TestCategoryCode)
#include "tst_categorycode.moc"
