#include "TestHome.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "store/KnowledgeSchema.h"

#include <QtTest>

class TestRecordset : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() {
        m_db.reset();
        m_home.reset();
    }
    void valueToText_data();
    void valueToText();
    void readingBounds();
    void parametersBindByType();

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Database> m_db;
};

void TestRecordset::init() {
    m_home = std::make_unique<TestHome>();
    const QString path = m_home->path(QStringLiteral("Keepsake.mdb"));
    QVERIFY(KnowledgeSchema::CreateDatabaseFile(path, QStringLiteral("2009-03-01 08:05:00")));
    m_db = std::make_unique<Database>();
    QVERIFY(m_db->Open(path));
}

void TestRecordset::valueToText_data() {
    QTest::addColumn<QString>("type"); // declared column type; empty: an expression
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    auto row = [](const char* name, const char* type, const char* value, const QString& text) {
        QTest::newRow(name) << QString::fromUtf8(type) << QString::fromUtf8(value) << text;
    };
    row("null", "INTEGER", "NULL", QStringLiteral("NULL"));
    row("empty text", "TEXT", "''", QString());
    row("text", "TEXT", "'知识 库'", QStringLiteral("知识 库"));
    row("integer", "INTEGER", "-42", QStringLiteral("-42"));
    row("low 32 bits", "INTEGER", "4294967297", QStringLiteral("1"));
    row("low 32 bits negative", "INTEGER", "2147483648", QStringLiteral("-2147483648"));
    row("double", "REAL", "1.5", QStringLiteral("1.50000000"));
    row("single", "FLOAT", "2", QStringLiteral("2.0000"));
    row("single rounding", "FLOAT", "0.1", QStringLiteral("0.1000"));
    row("boolean true", "BOOLEAN", "1", QStringLiteral("TRUE"));
    row("boolean false", "BOOLEAN", "0", QStringLiteral("FALSE"));
    row("date text", "DATETIME", "'2009-03-01 08:05:00'", QStringLiteral("2009-03-01 08:05:00"));
    row("date iso", "DATETIME", "'2009-03-01T08:05'", QStringLiteral("2009-03-01 08:05:00"));
    row("date only", "DATE", "'2009-03-01'", QStringLiteral("2009-03-01 00:00:00"));
    row("date julian", "DATETIME", "julianday('2009-03-01 08:05:00')",
        QStringLiteral("2009-03-01 08:05:00"));
    row("date seconds", "DATETIME", "cast(strftime('%s','2009-03-01 08:05:00') as integer)",
        QStringLiteral("2009-03-01 08:05:00"));
    row("date not a date", "DATETIME", "'soon'", QStringLiteral("soon"));
    row("decimal", "DECIMAL(10,2)", "3.14159", QStringLiteral("3.1416"));
    row("blob", "BLOB", "x'00ff'", QStringLiteral("UN_KNOW"));
    row("text in integer column", "INTEGER", "'abc'", QStringLiteral("abc"));
    row("expression integer", "", "7 * 6", QStringLiteral("42"));
    row("expression real", "", "3 / 2.0", QStringLiteral("1.50000000"));
}

void TestRecordset::valueToText() {
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(QString, text);
    Recordset result(m_db.get());
    QString statement = QStringLiteral("select %1").arg(value);
    if (!type.isEmpty()) {
        QVERIFY(result.Open(QStringLiteral("create table V(x %1)").arg(type)));
        QVERIFY(result.Open(QStringLiteral("insert into V values(%1)").arg(value)));
        statement = QStringLiteral("select x from V");
    }
    QVERIFY(result.Open(statement));
    QString out = QStringLiteral("untouched");
    QVERIFY(result.GetValueText(0, out));
    QCOMPARE(out, text);
}

void TestRecordset::readingBounds() {
    Recordset result(m_db.get());
    QVERIFY(result.IsEOF()); // not open
    QVERIFY(!result.MoveNext());
    QCOMPARE(result.GetFieldCount(), 0);

    QVERIFY(result.Open(QStringLiteral("select ItemID, ItemName as Name from ItemTable "
                                       "union all select '010000', '根'")));
    QCOMPARE(result.GetFieldCount(), 2);
    QCOMPARE(result.GetFieldName(1), QStringLiteral("Name"));
    QCOMPARE(result.GetFieldName(2), QString());
    QString out = QStringLiteral("kept");
    QVERIFY(!result.GetValueText(2, out));
    QVERIFY(!result.GetValueText(-1, out));
    QCOMPARE(out, QStringLiteral("kept"));

    QStringList codes;
    for (; !result.IsEOF(); result.MoveNext()) {
        QVERIFY(result.GetValueText(0, out));
        codes.append(out);
    }
    QCOMPARE(codes, QStringList({QStringLiteral("000000"), QStringLiteral("010000")}));
    QVERIFY(!result.MoveNext()); // already past the end
    QVERIFY(!result.GetValueText(0, out));
    QCOMPARE(out, QStringLiteral("010000"));

    result.Close();
    QVERIFY(!result.IsOpen());
    QVERIFY(!result.GetValueText(0, out));
}

void TestRecordset::parametersBindByType() {
    Recordset result(m_db.get());
    QVERIFY(result.Open(QStringLiteral("select typeof(?), typeof(?), typeof(?), typeof(?), "
                                       "typeof(?), ?"),
                        {QStringLiteral("1"), 1, 1.5, QVariant(), QByteArray("\0x", 2),
                         QStringLiteral("a'b\"c%_\\")}));
    QStringList types;
    for (int i = 0; i < 6; ++i) {
        QString text;
        QVERIFY(result.GetValueText(i, text));
        types.append(text);
    }
    QCOMPARE(types, QStringList({QStringLiteral("text"), QStringLiteral("integer"),
                                 QStringLiteral("real"), QStringLiteral("null"),
                                 QStringLiteral("blob"), QStringLiteral("a'b\"c%_\\")}));
}

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"
