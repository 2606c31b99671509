// The five text-size commands, the size the profile keeps and the zoom a page
// gets, from "最大" to "最小".

#include "web/TextSize.h"

#include <QTest>

class TestTextSize : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commands_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("zoomValue");
        QTest::addColumn<double>("factor");
        QTest::newRow("最大") << 32884 << 0 << 4 << 1.3;
        QTest::newRow("较大") << 32885 << 1 << 3 << 1.15;
        QTest::newRow("中等") << 32886 << 2 << 2 << 1.0;
        QTest::newRow("较小") << 32887 << 3 << 1 << 0.9;
        QTest::newRow("最小") << 32888 << 4 << 0 << 0.8;
    }

    void commands() {
        QFETCH(int, command);
        QFETCH(int, size);
        QFETCH(int, zoomValue);
        QFETCH(double, factor);
        QCOMPARE(TextSize::sizeOfCommand(command), std::optional<int>(size));
        QCOMPARE(TextSize::commandOfSize(size), command);
        QCOMPARE(TextSize::zoomValueOf(size), zoomValue);
        QCOMPARE(TextSize::zoomFactorOf(zoomValue), factor);
        QCOMPARE(TextSize::zoomFactorOfSize(size), factor);
    }

    void otherValues() {
        QVERIFY(!TextSize::sizeOfCommand(32883));
        QVERIFY(!TextSize::sizeOfCommand(32889));
        // A size no menu item has reads as "中等".
        QCOMPARE(TextSize::validSize(5), 2);
        QCOMPARE(TextSize::validSize(-1), 2);
        QCOMPARE(TextSize::zoomFactorOfSize(9), 1.0);
        QCOMPARE(TextSize::commandOfSize(-3), 32886);
    }
};

QTEST_GUILESS_MAIN(TestTextSize)
#include "tst_textsize.moc"
