#include "TestBase.h"
#include "TimeText.h"
#include "db/Transaction.h"
#include "store/CategoryCode.h"
#include "store/KnowledgeStore.h"

#include <QtTest>

class TestKnowledgeStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { t.reset(); }
    void segmentWalk();
    void fullParent();
    void childItemsInOrder();
    void flagsByLevel();
    void refusedCodesChangeNothing();
    void recodeAndMove();
    void idsAndPreferences();
    void clearedMaterialTakesKeywords();
    void closedDatabase();
    void failedStatementIsSilent();
    void userTextStoredExactly_data();
    void userTextStoredExactly();

private:
    void addItems(const QStringList& codes) { t->addItems(codes); }
    void addMaterial(const QString& id, const QString& code, const QString& name = {}) {
        t->addRow(id, code, name);
    }
    // Every row, its columns joined by "|".
    QStringList column(const QString& statement) { return t->column(statement); }
    QStringList rows(const QString& table) { return column("select * from " + table); }

    std::unique_ptr<TestBase> t;
    KnowledgeStore* m_store = nullptr;
    ScriptedPrompter* m_prompter = nullptr;
    QString m_now;
};

void TestKnowledgeStore::init() {
    t = std::make_unique<TestBase>();
    m_store = &t->store;
    m_prompter = &t->prompter;
    m_now = QStringLiteral("2009-03-07 14:05:09");
    TimeText::setClock(
        [this] { return QDateTime::fromString(m_now, QLatin1String(TimeText::kFormat)); });
}

void TestKnowledgeStore::segmentWalk() {
    QString segment;
    QVERIFY(m_store->NextChildSegment(QStringLiteral("000000"), segment));
    QCOMPARE(segment, QStringLiteral("01"));

    addItems({"010000", "010100", "010200", "010400"});
    QVERIFY(m_store->NextChildSegment(QStringLiteral("010000"), segment));
    QCOMPARE(segment, QStringLiteral("03"));

    // A major in the recycle bin keeps its segment; a cleared one frees it.
    addItems({"020000", "020100", "020200"});
    QVERIFY(m_store->SetItemFlag(QStringLiteral("020200"), QStringLiteral("EOS")));
    QVERIFY(m_store->NextChildSegment(QStringLiteral("020000"), segment));
    QCOMPARE(segment, QStringLiteral("03"));
    QVERIFY(m_store->DeleteItems(QStringLiteral("020200")));
    QVERIFY(m_store->NextChildSegment(QStringLiteral("020000"), segment));
    QCOMPARE(segment, QStringLiteral("02"));

    // A code held twice is counted once instead of ending the run early.
    QVERIFY(m_store->ExecuteStatement(QStringLiteral(
        "insert into ItemTable(ItemID,ItemName,ItemFlag) values('020100','x','AOS')")));
    addItems({"020200", "020201"});
    QVERIFY(m_store->NextChildSegment(QStringLiteral("020000"), segment));
    QCOMPARE(segment, QStringLiteral("03"));
    QVERIFY(m_store->NextChildSegment(QStringLiteral("020200"), segment));
    QCOMPARE(segment, QStringLiteral("02"));
    QVERIFY(m_store->NextChildSegment(QStringLiteral("000000"), segment));
    QCOMPARE(segment, QStringLiteral("03"));

    // A minor has no children; a malformed parent is refused untouched.
    segment = QStringLiteral("kept");
    QVERIFY(!m_store->NextChildSegment(QStringLiteral("020201"), segment));
    QCOMPARE(segment, QStringLiteral("01"));
    segment = QStringLiteral("kept");
    QVERIFY(!m_store->NextChildSegment(QStringLiteral("02%%00"), segment));
    QVERIFY(!m_store->NextChildSegment(QStringLiteral("02000"), segment));
    QCOMPARE(segment, QStringLiteral("kept"));
    QVERIFY(m_prompter->shown.isEmpty());
}

// A full parent must refuse: "00" would give a child its parent's code.
void TestKnowledgeStore::fullParent() {
    addItems({"010000"});
    {
        Transaction transaction(t->db);
        QString s = QStringLiteral("01");
        for (int i = 0; i < 1294; ++i, s = CategoryCode::NextSegment(s))
            QVERIFY(m_store->InsertItem(QStringLiteral("大项"), QStringLiteral("01") + s + "00"));
        QVERIFY(transaction.Commit());
    }
    QString segment;
    QVERIFY(m_store->NextChildSegment(QStringLiteral("010000"), segment));
    QCOMPARE(segment, QStringLiteral("ZZ"));
    addItems({"01ZZ00"});
    QVERIFY(!m_store->NextChildSegment(QStringLiteral("010000"), segment));
    QCOMPARE(segment, QStringLiteral("00"));
}

void TestKnowledgeStore::childItemsInOrder() {
    addItems({"010000", "010300", "010100", "010200", "010101", "020000", "020100"});
    QVERIFY(m_store->SetItemPreference(QStringLiteral("010300"), 1));
    QVERIFY(m_store->SetItemPreference(QStringLiteral("010200"), 50));
    QVERIFY(m_store->SetItemPreference(QStringLiteral("010100"), 50));

    QList<ItemRecord> list{{"x", "x", "x", 0}};
    auto codes = [&list] {
        QStringList out;
        for (const ItemRecord& r : list)
            out.append(r.ItemID);
        return out.join(u' ');
    };
    QVERIFY(m_store->LoadChildItems(QStringLiteral("010000"), list));
    QCOMPARE(codes(), QStringLiteral("010300 010100 010200"));
    QCOMPARE(list.at(1).ItemName, QStringLiteral("名010100"));
    QCOMPARE(list.at(1).Preference, 50);
    QVERIFY(!list.at(1).ID.isEmpty());
    QVERIFY(m_store->LoadChildItems(QStringLiteral("000000"), list));
    QCOMPARE(codes(), QStringLiteral("010000 020000"));
    QVERIFY(m_store->LoadChildItems(QStringLiteral("010100"), list));
    QCOMPARE(codes(), QStringLiteral("010101"));
    QVERIFY(m_store->LoadChildItems(QStringLiteral("010101"), list));
    QCOMPARE(codes(), QString());

    QVERIFY(m_store->SetItemFlag(QStringLiteral("010200"), QStringLiteral("EOS")));
    QVERIFY(m_store->LoadChildItems(QStringLiteral("010000"), list));
    QCOMPARE(codes(), QStringLiteral("010300 010100"));
    QVERIFY(m_store->LoadChildItemsAnyFlag(QStringLiteral("010000"), list));
    QCOMPARE(codes(), QStringLiteral("010300 010100 010200"));
    QVERIFY(m_store->SetItemFlag(QStringLiteral("010101"), QStringLiteral("EOS")));
    QVERIFY(m_store->LoadSubItems(QStringLiteral("010100"), list));
    QCOMPARE(codes(), QStringLiteral("010101"));

    ItemRecord item;
    QVERIFY(!m_store->LoadItem(QStringLiteral("090000"), item));
    QString created;
    QVERIFY(m_store->GetItemCreateTime(QStringLiteral("010300"), created));
    QCOMPARE(created, m_now);
    QVERIFY(!m_store->GetItemCreateTime(QStringLiteral("090000"), created));

    // The cache holds every row, any flag, and builds display paths.
    QVERIFY(m_store->LoadAllItems(list));
    QCOMPARE(list.size(), 8);
    QCOMPARE(list.first().ItemID, QStringLiteral("000000"));
    QCOMPARE(m_store->ItemNames().DisplayPath(QStringLiteral("库"), QStringLiteral("010101")),
             QStringLiteral("库\\名010000\\名010100\\名010101"));
}

void TestKnowledgeStore::flagsByLevel() {
    addItems({"010000", "010100", "010101", "010102", "010200", "020000", "020100"});
    addMaterial("1", "010101");
    addMaterial("2", "010102");
    addMaterial("3", "020100");
    const QString flags = QStringLiteral("select ItemID,ItemFlag,DeleteDataTime from ItemTable "
                                         "where ItemID <> '000000' order by ItemID");
    const QString materialFlags =
        QStringLiteral("select MinuItemID,MinuItemFlag,DeleteDataTime from MinuItemTable");

    m_now = QStringLiteral("2009-04-01 10:00:00");
    QVERIFY(m_store->SetItemFlag(QStringLiteral("010000"), QStringLiteral("EOS")));
    QVERIFY(m_store->SetMaterialsFlagOfItem(QStringLiteral("010000"), false));
    QCOMPARE(column(flags),
             QStringList({"010000|EOS|2009-04-01 10:00:00", "010100|EOS|2009-04-01 10:00:00",
                          "010101|EOS|2009-04-01 10:00:00", "010102|EOS|2009-04-01 10:00:00",
                          "010200|EOS|2009-04-01 10:00:00", "020000|AOS|NULL", "020100|AOS|NULL"}));
    QCOMPARE(column(materialFlags), QStringList({"1|EOS|NULL", "2|EOS|NULL", "3|AOS|NULL"}));

    m_now = QStringLiteral("2009-04-02 11:00:00");
    QVERIFY(m_store->SetItemFlag(QStringLiteral("010100"), QStringLiteral("AOS")));
    QVERIFY(m_store->SetItemFlag(QStringLiteral("020100"), QStringLiteral("EOS")));
    QVERIFY(m_store->SetMaterialsFlagOfItem(QStringLiteral("010101"), true));
    QCOMPARE(column(flags),
             QStringList({"010000|EOS|2009-04-01 10:00:00", "010100|AOS|2009-04-02 11:00:00",
                          "010101|AOS|2009-04-02 11:00:00", "010102|AOS|2009-04-02 11:00:00",
                          "010200|EOS|2009-04-01 10:00:00", "020000|AOS|NULL",
                          "020100|EOS|2009-04-02 11:00:00"}));
    QCOMPARE(column(materialFlags), QStringList({"1|AOS|NULL", "2|EOS|NULL", "3|AOS|NULL"}));

    QVERIFY(m_store->SetMaterialFlag(QStringLiteral("3"), QStringLiteral("EOS"), m_now));
    QVERIFY(m_store->RestoreItemRow(QStringLiteral("010000")));
    QVERIFY(m_store->RestoreMaterialRow(QStringLiteral("2")));
    QCOMPARE(column(materialFlags),
             QStringList({"1|AOS|NULL", "2|AOS|NULL", "3|EOS|2009-04-02 11:00:00"}));
    QCOMPARE(column(flags).first(), QStringLiteral("010000|AOS|2009-04-01 10:00:00"));
}

void TestKnowledgeStore::refusedCodesChangeNothing() {
    addItems({"010000", "010100", "0A0000"});
    addMaterial("1", "010100");
    // Rows no code of this program has: lower case, and a wildcard.
    QVERIFY(m_store->ExecuteStatement(
        QStringLiteral("insert into ItemTable(ItemID,ItemName,ItemFlag) values('0a0100','a','AOS'),"
                       "('%%0000','b','AOS')")));
    const QStringList items = rows(QStringLiteral("ItemTable"));
    const QStringList materials = rows(QStringLiteral("MinuItemTable"));

    QVERIFY(!m_store->SetItemFlag(QStringLiteral("01000"), QStringLiteral("EOS")));
    QVERIFY(!m_store->SetItemFlag(QStringLiteral("010000"), QStringLiteral("EOSX")));
    QVERIFY(!m_store->SetItemFlag(QStringLiteral("000000"), QStringLiteral("EOS")));
    QVERIFY(!m_store->SetItemFlag(QStringLiteral("%%0000"), QStringLiteral("EOS")));
    QVERIFY(!m_store->DeleteItems(QStringLiteral("000000")));
    QVERIFY(!m_store->DeleteItems(QStringLiteral("%%0000")));
    QVERIFY(!m_store->SetMaterialsFlagOfItem(QStringLiteral("000000"), false));
    QVERIFY(!m_store->SetMaterialsFlagOfItem(QStringLiteral("0_0000"), false));
    QVERIFY(!m_store->InsertItem(QStringLiteral("x"), QStringLiteral("01%%00")));
    QVERIFY(!m_store->RecodeItem(QStringLiteral("010100"), QStringLiteral("0101")));
    QVERIFY(!m_store->MoveMaterial(QStringLiteral("01%%%%"), QStringLiteral("1")));
    QVERIFY(!m_store->DeleteMaterialRow(QStringLiteral("1 or 1=1")));
    QVERIFY(!m_store->SetMaterialFlag(QStringLiteral("0 or 1=1"), QStringLiteral("EOS"), m_now));
    QVERIFY(!m_store->DeleteItemById(QStringLiteral("1 or 1=1")));
    QCOMPARE(rows(QStringLiteral("ItemTable")), items);
    QCOMPARE(rows(QStringLiteral("MinuItemTable")), materials);

    // "like" is exact about case, as "=" is: 0A0000's subtree is not 0a0100.
    QVERIFY(m_store->SetItemFlag(QStringLiteral("0A0000"), QStringLiteral("EOS")));
    QCOMPARE(column(QStringLiteral("select ItemFlag from ItemTable where ItemID = '0a0100'")),
             QStringList{QStringLiteral("AOS")});
    QVERIFY(m_prompter->shown.isEmpty());
}

void TestKnowledgeStore::recodeAndMove() {
    addItems({"010000", "010100", "010101", "020000"});
    addMaterial("1", "010101");
    addMaterial("2", "010101");
    QVERIFY(m_store->SetItemPreference(QStringLiteral("020000"), 900));
    QList<ItemRecord> all;
    QVERIFY(m_store->LoadAllItems(all));

    // Pasting the major under 020000: the major and its minor move, and so do
    // the minor's materials; their folders stay where they were made.
    QVERIFY(m_store->RecodeItem(QStringLiteral("010100"), QStringLiteral("020100")));
    QVERIFY(m_store->RecodeItem(QStringLiteral("010101"), QStringLiteral("020101")));
    QVERIFY(m_store->RecodeMaterialsOfItem(QStringLiteral("020101"), QStringLiteral("010101")));
    QCOMPARE(column(QStringLiteral("select ItemID,Preference from ItemTable order by Preference "
                                   "desc limit 3")),
             QStringList({"020101|902", "020100|901", "020000|900"}));
    QCOMPARE(column(QStringLiteral("select ItemID,MinuItemFilePath from MinuItemTable")),
             QStringList({"020101|01/01/01/1/", "020101|01/01/01/2/"}));
    QCOMPARE(m_store->ItemNameOf(QStringLiteral("020101")), QStringLiteral("名010101"));
    QCOMPARE(m_store->ItemNameOf(QStringLiteral("010101")), QString());

    QVERIFY(m_store->MoveMaterial(QStringLiteral("010000"), QStringLiteral("2")));
    MaterialRecord m;
    m.DisplayPath = QStringLiteral("kept");
    QVERIFY(m_store->GetMaterial(QStringLiteral("2"), m));
    QCOMPARE(m.Fields().mid(0, 8),
             QStringList({"2", "资料2", "kept", "010000", "0", "资料2.rtf", "01/01/01/2/", m_now}));

    QVERIFY(m_store->RenameItem(QStringLiteral("020000"), QStringLiteral("新名")));
    QCOMPARE(m_store->ItemNameOf(QStringLiteral("020000")), QStringLiteral("新名"));
    QVERIFY(m_store->DeleteItems(QStringLiteral("020000")));
    QCOMPARE(column(QStringLiteral("select ItemID from ItemTable order by ItemID")),
             QStringList({"000000", "010000"}));
    QCOMPARE(m_store->ItemNameOf(QStringLiteral("020100")), QString());
}

void TestKnowledgeStore::idsAndPreferences() {
    QString id = QStringLiteral("kept");
    QVERIFY(m_store->NextMaterialId(id));
    QCOMPARE(id, QStringLiteral("1"));
    QVERIFY(m_store->DeleteItemRow(QStringLiteral("000000")));
    int preference = -1;
    QVERIFY(m_store->NextPreference(preference));
    QCOMPARE(preference, 1);

    addItems({"010000", "020000"});
    QVERIFY(m_store->NextPreference(preference));
    QCOMPARE(preference, 3);
    addMaterial("1", "010000");
    addMaterial("2", "010000");
    addMaterial("3", "010000");
    QVERIFY(m_store->SetMaterialFlag(QStringLiteral("3"), QStringLiteral("EOS"), m_now));
    QVERIFY(m_store->NextMaterialId(id));
    QCOMPARE(id, QStringLiteral("4"));
    QVERIFY(m_store->DeleteMaterialRow(QStringLiteral("3")));
    QVERIFY(m_store->NextMaterialId(id));
    QCOMPARE(id, QStringLiteral("3"));

    // An id in use is never handed to a second material.
    MaterialRecord twin;
    QVERIFY(m_store->GetMaterial(QStringLiteral("2"), twin));
    twin.MinuItemName = QStringLiteral("另一个");
    QVERIFY(!m_store->InsertMaterial(twin));
    QCOMPARE(column(QStringLiteral("select count(*) from MinuItemTable")), QStringList{"2"});

    MaterialRecord missing;
    missing.MinuItemName = QStringLiteral("kept");
    QVERIFY(m_store->GetMaterial(QStringLiteral("99"), missing));
    QCOMPARE(missing.MinuItemName, QStringLiteral("kept"));
    QVERIFY(!m_store->GetMaterial(QStringLiteral("x"), missing));
}

void TestKnowledgeStore::clearedMaterialTakesKeywords() {
    addItems({"010000", "010100", "010101"});
    addMaterial("5", "010101");
    addMaterial("6", "010101");
    for (const char* k : {"a", "b"})
        QVERIFY(m_store->InsertKeyword(QStringLiteral("5"), QLatin1String(k)));
    QVERIFY(m_store->InsertKeyword(QStringLiteral("6"), QStringLiteral("a")));

    QVERIFY(m_store->DeleteMaterialRow(QStringLiteral("5")));
    QCOMPARE(column(QStringLiteral("select MinuItemID,KeyValue from KeyWordTable")),
             QStringList{"6|a"});
    addMaterial("5", "010101", QStringLiteral("新资料"));
    QStringList keywords{QStringLiteral("stale")};
    QVERIFY(m_store->LoadKeywords(QStringLiteral("5"), keywords));
    QCOMPARE(keywords, QStringList());
}

void TestKnowledgeStore::closedDatabase() {
    addItems({"010000"});
    t->db.Close();
    QList<ItemRecord> list;
    ItemRecord item;
    MaterialRecord material;
    QString text;
    QStringList texts;
    int number = 0;
    const QString code = QStringLiteral("010000");
    const QList<std::function<bool()>> operations = {
        [&] { return m_store->ExecuteStatement(QStringLiteral("select 1")); },
        [&] { return m_store->LoadItem(code, item); },
        [&] { return m_store->LoadChildItems(code, list); },
        [&] { return m_store->LoadChildItemsAnyFlag(code, list); },
        [&] { return m_store->LoadSubItems(QStringLiteral("010100"), list); },
        [&] { return m_store->LoadAllItems(list); },
        [&] { return m_store->GetItemPreference(code, number); },
        [&] { return m_store->GetItemCreateTime(code, text); },
        [&] { return m_store->NextPreference(number); },
        [&] { return m_store->InsertItem(QStringLiteral("x"), QStringLiteral("020000")); },
        [&] { return m_store->RenameItem(code, QStringLiteral("x")); },
        [&] { return m_store->SetItemPreference(code, 1); },
        [&] { return m_store->RecodeItem(code, QStringLiteral("020000")); },
        [&] { return m_store->DeleteItemRow(code); },
        [&] { return m_store->DeleteItemById(QStringLiteral("2")); },
        [&] { return m_store->RestoreItemRow(code); },
        [&] { return m_store->SetItemFlag(code, QStringLiteral("EOS")); },
        [&] { return m_store->DeleteItems(code); },
        [&] { return m_store->NextMaterialId(text); },
        [&] { return m_store->GetMaterial(QStringLiteral("1"), material); },
        [&] { return m_store->SetMaterialFlag(QStringLiteral("1"), QStringLiteral("EOS"), text); },
        [&] { return m_store->RestoreMaterialRow(QStringLiteral("1")); },
        [&] { return m_store->DeleteMaterialRow(QStringLiteral("1")); },
        [&] { return m_store->RecodeMaterialsOfItem(QStringLiteral("020000"), code); },
        [&] { return m_store->MoveMaterial(code, QStringLiteral("1")); },
        [&] { return m_store->SetMaterialsFlagOfItem(code, true); },
        [&] { return m_store->LoadKeywords(QStringLiteral("1"), texts); },
        [&] { return m_store->InsertKeyword(QStringLiteral("1"), QStringLiteral("k")); },
        [&] { return m_store->DeleteKeywords(QStringLiteral("1"), {QStringLiteral("k")}); },
    };
    for (int i = 0; i < operations.size(); ++i) {
        m_prompter->shown.clear();
        QVERIFY2(!operations.at(i)(), qPrintable(QString::number(i)));
        QCOMPARE(m_prompter->shown.size(), 1);
        QCOMPARE(m_prompter->shown.first().caption, QStringLiteral("错误"));
        QCOMPARE(m_prompter->shown.first().text, QStringLiteral("数据库没有打开或已经关闭!"));
    }

    // Adding an item says itself what failed; the walk stays silent.
    m_prompter->shown.clear();
    QString segment;
    QVERIFY(!m_store->NextChildSegment(QStringLiteral("000000"), segment));
    QCOMPARE(segment, QStringLiteral("01"));
    QVERIFY(m_prompter->shown.isEmpty());
}

void TestKnowledgeStore::failedStatementIsSilent() {
    QVERIFY(!m_store->ExecuteStatement(QStringLiteral("update ItemTabel set ItemName = 'x'")));
    QVERIFY(t->db.GetErrorText().contains(QLatin1String("no such table")));
    QVERIFY(!m_store->ExecuteStatement(QStringLiteral("selec 1")));
    QVERIFY(t->db.GetErrorText().contains(QLatin1String("State: 42000")));
    QVERIFY(m_prompter->shown.isEmpty());
}

void TestKnowledgeStore::userTextStoredExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << QStringLiteral("O'Brien's 笔记");
    QTest::newRow("quotes") << QStringLiteral("\"双引号\" ''''");
    QTest::newRow("wildcards") << QStringLiteral("100% _完成_ %%");
    QTest::newRow("backslashes") << QStringLiteral("C:\\笔记\\ \\' \\\\");
    QTest::newRow("statement") << QStringLiteral("x'); delete from ItemTable; --");
    QTest::newRow("keywords") << QStringLiteral("select * from where or 1=1 drop table");
    QTest::newRow("long") << QString(500, QChar(0x77E5));
    QTest::newRow("control") << QStringLiteral("第一行\r\n\t第二行");
    QTest::newRow("outside BMP") << QStringLiteral("😀 𠀀");
    QTest::newRow("empty") << QString();
}

void TestKnowledgeStore::userTextStoredExactly() {
    QFETCH(QString, text);
    addItems({"020000", "020100", "020101"});
    addMaterial("2", "020101", QStringLiteral("别的资料"));
    QVERIFY(m_store->InsertKeyword(QStringLiteral("2"), QStringLiteral("别的")));
    const QStringList otherItems = rows(QStringLiteral("ItemTable"));
    const QStringList otherMaterials = rows(QStringLiteral("MinuItemTable"));
    const QStringList otherKeywords = rows(QStringLiteral("KeyWordTable"));

    QVERIFY(m_store->InsertItem(text, QStringLiteral("010000")));
    ItemRecord item;
    QVERIFY(m_store->LoadItem(QStringLiteral("010000"), item));
    QCOMPARE(item.ItemName, text);
    QVERIFY(m_store->RenameItem(QStringLiteral("010000"), text + text));
    QVERIFY(m_store->LoadItem(QStringLiteral("010000"), item));
    QCOMPARE(item.ItemName, text + text);
    QCOMPARE(m_store->ItemNameOf(QStringLiteral("010000")), text + text);

    addMaterial("1", "010000", text.isEmpty() ? QStringLiteral("x") : text);
    MaterialRecord m;
    QVERIFY(m_store->GetMaterial(QStringLiteral("1"), m));
    QCOMPARE(m.MinuItemName, text.isEmpty() ? QStringLiteral("x") : text);
    QVERIFY(m_store->InsertKeyword(QStringLiteral("1"), text));
    QVERIFY(m_store->InsertKeyword(QStringLiteral("1"), QStringLiteral("留下")));
    QStringList keywords;
    QVERIFY(m_store->LoadKeywords(QStringLiteral("1"), keywords));
    QCOMPARE(keywords, QStringList({text, QStringLiteral("留下")}));
    QVERIFY(m_store->DeleteKeywords(QStringLiteral("1"), {text}));
    QVERIFY(m_store->LoadKeywords(QStringLiteral("1"), keywords));
    QCOMPARE(keywords, QStringList{QStringLiteral("留下")});

    // Nothing else was touched.
    QVERIFY(m_store->DeleteItemRow(QStringLiteral("010000")));
    QVERIFY(m_store->DeleteMaterialRow(QStringLiteral("1")));
    QCOMPARE(rows(QStringLiteral("ItemTable")), otherItems);
    QCOMPARE(rows(QStringLiteral("MinuItemTable")), otherMaterials);
    QCOMPARE(rows(QStringLiteral("KeyWordTable")), otherKeywords);
}

QTEST_GUILESS_MAIN(TestKnowledgeStore)
#include "tst_knowledgestore.moc"
