#include "TestBase.h"
#include "TestHome.h"
#include "materials/KeywordMerge.h"
#include "materials/MaterialPanes.h"
#include "store/MaterialClipboard.h"

#include <QSignalSpy>
#include <QtTest>
#include <sqlite3.h>

class TestMaterialProperties : public QObject {
    Q_OBJECT

    std::unique_ptr<TestBase> t;
    std::unique_ptr<TestHome> home;
    MaterialClipboard clipboard;
    std::unique_ptr<MaterialPanes> panes;
    MaterialProperties* props = nullptr;
    MaterialRecord m;
    QStringList statements; // every statement the database ran, while traced

    static int traced(unsigned, void* context, void*, void* sql) {
        static_cast<QStringList*>(context)->append(QString::fromUtf8(static_cast<char*>(sql)));
        return 0;
    }
    void trace() {
        statements.clear();
        sqlite3_trace_v2(t->db.Handle(), SQLITE_TRACE_STMT, &TestMaterialProperties::traced,
                         &statements);
    }
    QStringList stored() {
        return t->column("select KeyValue from KeyWordTable where MinuItemID=1 order by KeyValue");
    }
    QStringList shownRows() {
        QStringList rows;
        for (const MaterialProperties::Row& row : props->rows())
            rows << row.caption + "=" + row.value + (row.readOnly ? "" : "*");
        return rows;
    }

private Q_SLOTS:
    void init() {
        t = std::make_unique<TestBase>();
        t->addItems({"010000", "010100", "010101"});
        m = t->addMaterial("1", "010101");
        m.DisplayPath = "测试库\\名010000\\名010100\\名010101";
        home = std::make_unique<TestHome>();
        panes = std::make_unique<MaterialPanes>(t->store, t->base, t->prompter, home->paths(),
                                                clipboard);
        props = &panes->properties();
    }
    void cleanup() {
        if (t)
            sqlite3_trace_v2(t->db.Handle(), 0, nullptr, nullptr);
        panes.reset();
        t.reset();
        home.reset();
    }

    void merge_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("edited");
        QTest::addColumn<QStringList>("inserted");
        QTest::addColumn<QStringList>("deleted");
        auto row = [](const char* name, const QStringList& stored, const QStringList& edited,
                      const QStringList& inserted, const QStringList& deleted) {
            QTest::newRow(name) << stored << edited << inserted << deleted;
        };
        row("b and a to a and c", {"b", "a"}, {"a", "c"}, {"c"}, {"b"});
        row("typed twice", {"a"}, {"a", "a", "b", "b"}, {"a", "b", "b"}, {});
        row("all gone", {"x", "y"}, {}, {}, {"x", "y"});
        row("ordinal order", {"a", "B"}, {"B", "b"}, {"b"}, {"a"});
    }
    void merge() {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, edited);
        QFETCH(QStringList, inserted);
        QFETCH(QStringList, deleted);
        const KeywordMerge::Changes changes = KeywordMerge::Merge(stored, edited);
        QCOMPARE(changes.toInsert, inserted);
        QCOMPARE(changes.toDelete, deleted);
    }

    void savingKeywordsDeletesWithOneStatement() {
        for (const char* k : {"b", "a", "x"})
            QVERIFY(t->store.InsertKeyword("1", k));
        props->show(m);
        QCOMPARE(props->keywords(), QStringList({"b", "a", "x"}));
        props->setKeywords({" a ", "c", "  "});
        trace();
        QVERIFY(props->save());
        QCOMPARE(stored(), QStringList({"a", "c"}));
        QCOMPARE(statements.filter("delete from KeyWordTable").size(), 1);
        QCOMPARE(statements.filter("insert into KeyWordTable").size(), 1);
        QCOMPARE(props->storedKeywords(), QStringList({"a", "c"}));

        // Nothing changed, nothing written.
        trace();
        QVERIFY(props->save());
        QCOMPARE(statements.filter("KeyWordTable").size(), 0);
    }

    void aFailedSaveShowsWhatIsStored() {
        QVERIFY(t->store.InsertKeyword("1", "old"));
        QVERIFY(t->store.ExecuteStatement("create trigger refuse before insert on KeyWordTable "
                                          "begin select raise(fail, 'refused'); end"));
        props->show(m);
        props->setKeywords({"new"});
        QVERIFY(!props->save());
        QCOMPARE(t->prompter.lastText(), QString("保存查询关键字失败!"));
        QCOMPARE(stored(), QStringList({"old"})); // the delete went back with the insert
        QCOMPARE(props->keywords(), QStringList({"old"}));
    }

    void renaming_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");
        auto row = [](const char* name, const QString& typed, const QString& stored,
                      const QString& message) {
            QTest::newRow(name) << typed << stored << message;
        };
        row("blanks keep the old name", "   ", "资料1", "");
        row("forbidden characters", " a|b\nc ", "a b c", "");
        row("100 characters", QString(100, 'n'), QString(100, 'n'), "");
        row("101 characters", QString(101, 'n'), "资料1", "资料名太长!");
    }
    void renaming() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        props->show(m);
        QSignalSpy renamed(&panes->service(), &MaterialService::materialRenamed);
        props->setName(typed);
        QCOMPARE(props->save(), message.isEmpty());
        QCOMPARE(t->prompter.lastText(), message);
        QCOMPARE(t->column("select MinuItemName from MinuItemTable"), QStringList({stored}));
        QCOMPARE(renamed.count(), stored == "资料1" ? 0 : 1);
        if (message.isEmpty())
            QCOMPARE(props->name(), stored);
    }

    // The whole grid is checked where it is shown; here the other two types.
    void theDescriptionTypes() {
        m.DescribeFileType = "1";
        props->show(m);
        QCOMPARE(shownRows()[3], QString("描述文件类型=无"));
        m.DescribeFileType = "2";
        props->show(m);
        QCOMPARE(shownRows()[3], QString("描述文件类型=代码文件"));
    }

    void anotherBasesMaterialStoresNothing() {
        QVERIFY(t->store.InsertKeyword("1", "词"));
        m.KnowledgeBaseID = "2";
        props->show(m);
        QVERIFY(!props->showsKeywords());
        QCOMPARE(props->addKeyword(), -1);
        QCOMPARE(shownRows().size(), 5);
        props->setName("新名");
        trace();
        QVERIFY(props->save());
        QCOMPARE(statements, QStringList());
        QCOMPARE(t->column("select MinuItemName from MinuItemTable"), QStringList({"资料1"}));
    }
};

QTEST_GUILESS_MAIN(TestMaterialProperties)
#include "tst_materialproperties.moc"
