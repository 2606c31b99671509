// The notice of a new release: its texts, the server's texts shown as they
// are, and which addresses can be clicked and what a click opens.

#include "dialogs/UpdateNoticeWindow.h"
#include "web/UpdateCheck.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestUpdateNotice : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textsAndLinks() {
        const UpdateNotice notice{
            QStringLiteral("1.2"),
            {{QStringLiteral("<b>Site A</b>"), QStringLiteral("http://a.example/get?x=1&y=2")},
             {QStringLiteral("Site B"), QStringLiteral("ftp://b.example/file")},
             {QStringLiteral("Site C"), QStringLiteral("javascript:alert(1)")}}};
        UpdateNoticeWindow window(notice);
        QList<QUrl> opened;
        window.setOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.isModal());

        QCOMPARE(window.windowTitle(), QStringLiteral("产品更新通知"));
        QCOMPARE(window.messageLabel()->text(),
                 QStringLiteral("官方已发布新版本 1.2,请通过以下链接进行更新..."));
        QCOMPARE(window.messageLabel()->textFormat(), Qt::PlainText);
        QCOMPARE(window.messageLabel()->font().weight(), QFont::Bold);
        QStringList texts;
        for (QLabel* label : window.findChildren<QLabel*>())
            texts << label->text();
        QVERIFY(texts.contains(QStringLiteral("提示：通过以上站点下载的升级版软件只能安装在和本软件"
                                              "相同的目录下，不能单独另选目录安装运行。")));

        const QList<QLabel*> sites = window.siteLabels();
        QCOMPARE(sites.size(), 6);
        // The name arrives as markup and is shown as the characters it is.
        QCOMPARE(sites[0]->textFormat(), Qt::PlainText);
        QCOMPARE(sites[0]->text(), QStringLiteral("<b>Site A</b>"));
        // Only the web address is a link, and its text is the address itself.
        QCOMPARE(sites[1]->textFormat(), Qt::RichText);
        QTextDocument shown;
        shown.setHtml(sites[1]->text());
        QCOMPARE(shown.toPlainText(), QStringLiteral("http://a.example/get?x=1&y=2"));
        for (int i : {3, 5}) {
            QCOMPARE(sites[i]->textFormat(), Qt::PlainText);
            QVERIFY(!(sites[i]->textInteractionFlags() & Qt::LinksAccessibleByMouse));
        }
        QCOMPARE(sites[3]->text(), QStringLiteral("ftp://b.example/file"));
        QCOMPARE(sites[5]->text(), QStringLiteral("javascript:alert(1)"));

        // What a click on the link opens is the checked address.
        const QPoint onText(sites[1]->fontMetrics().horizontalAdvance(QLatin1Char('h')),
                            sites[1]->height() / 2);
        QTest::mouseClick(sites[1], Qt::LeftButton, {}, onText);
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("http://a.example/get?x=1&y=2"))});

        QPushButton* close = window.findChild<QPushButton*>();
        QCOMPARE(close->text(), QStringLiteral("关闭窗口"));
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }

    void atMostFiveRows() {
        UpdateNotice notice{QStringLiteral("2"), {}};
        for (int i = 1; i <= 7; ++i)
            notice.sites << UpdateSite{QStringLiteral("S%1").arg(i),
                                       QStringLiteral("http://s%1.example/").arg(i)};
        UpdateNoticeWindow window(notice);
        QCOMPARE(window.siteLabels().size(), 10);
        QCOMPARE(window.siteLabels()[8]->text(), QStringLiteral("S5"));
    }
};

QTEST_MAIN(TestUpdateNotice)
#include "tst_updatenotice.moc"
