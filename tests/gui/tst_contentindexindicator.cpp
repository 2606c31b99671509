#include "app/ContentIndexIndicator.h"
#include "workspace/ContentIndexService.h"

#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

class TestContentIndexIndicator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsProgressWhenFreeAndPausesOnClick() {
        QStatusBar bar;
        auto* indicator = new QProgressBar(&bar);
        bar.addPermanentWidget(indicator);
        ContentIndexService service;
        bool pageLoading = false;
        ContentIndexIndicator shown(service, *indicator, bar, [&] { return pageLoading; });
        bar.show();
        QToolButton* pause = shown.pauseButton();
        QVERIFY(!pause->isVisible());

        // Bytes beyond what an int holds still make a percentage.
        Q_EMIT service.progressed(qint64(3) << 32, qint64(12) << 32);
        QCOMPARE(indicator->value(), 25);
        QVERIFY(pause->isVisible());
        QCOMPARE(pause->text(), QString("暂停索引"));

        // A page load has the indicator: the index waits for its turn.
        pageLoading = true;
        indicator->setValue(70);
        Q_EMIT service.progressed(9, 10);
        QCOMPARE(indicator->value(), 70);
        pageLoading = false;

        QTest::mouseClick(pause, Qt::LeftButton);
        QVERIFY(service.isPaused());
        QCOMPARE(pause->text(), QString("继续索引"));
        QTest::mouseClick(pause, Qt::LeftButton);
        QVERIFY(!service.isPaused());
        QCOMPARE(pause->text(), QString("暂停索引"));

        Q_EMIT service.progressed(1, 2);
        Q_EMIT service.finished(true);
        QVERIFY(!pause->isVisible());
        QCOMPARE(indicator->value(), 0);
    }
};

QTEST_MAIN(TestContentIndexIndicator)
#include "tst_contentindexindicator.moc"
