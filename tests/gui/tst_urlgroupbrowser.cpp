#include "LocalWebServer.h"
#include "WebTest.h"
#include "WorkingWindow.h"
#include "app/AddressBox.h"
#include "app/CMainFrame.h"
#include "app/WebWindows.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/TextCodec.h"
#include "documents/CHtmlViewsView.h"
#include "panes/CUrlGroupPane.h"

#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace CommandIds;

// The kept web addresses in the main window: the page shown kept into the
// group shown ("收藏网页进当前网址组"), and a kept entry opened in the browser.
class TestUrlGroupBrowser : public QObject {
    Q_OBJECT

    WorkingWindow window;
    std::unique_ptr<CMainFrame>& frame = window.frame;
    LocalWebServer server;

    CUrlGroupPane& pane() { return frame->urlPane(); }
    CHtmlViewsView* active() { return frame->web().activeWebView(); }
    void go(const QString& address) {
        frame->web().addressBox().setEditText(address);
        QVERIFY(frame->commands().trigger(GoToAddress));
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(server.isListening());
        server.put("/a", "<html><head><title>甲页</title></head><body>a</body></html>");
        server.put("/b", "<html><head><title>乙页</title></head><body>b</body></html>");
    }
    void init() { QVERIFY(window.setUp()); }
    void cleanup() { frame.reset(); }

    void thePaneFillsTheNavigationPane() {
        QCOMPARE(frame->pane(PaneNavigation)->widget(), &pane());
        QVERIFY(!frame->commands().action(SavePageIntoUrlGroup)->isEnabled());
    }

    void aPageShownIsKeptAndOpenedAgain() {
        const QString a = server.url("/a").toString();
        go(a);
        QVERIFY(WebTest::waitForTitle(active(), "甲页"));
        frame->commands().updateEnabled();
        QVERIFY(frame->commands().trigger(SavePageIntoUrlGroup));
        CUrlEditDlg* dialog = pane().editDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->title(), QString("甲页"));
        QCOMPARE(dialog->address(), a);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QCOMPARE(pane().list()->topLevelItemCount(), 1);
        const QString stored =
            TextCodec::decode(window.home->read("ResourceConfig/UserUrlConfig.ini"));
        QVERIFY2(stored.contains("|0|2"), qPrintable(stored));
        QVERIFY(stored.contains("|甲页|" + a + "|\r\n"));

        go(server.url("/b").toString());
        QVERIFY(WebTest::waitForTitle(active(), "乙页"));
        QTreeWidget* list = pane().list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(0))
                              .intersected(list->viewport()->rect())
                              .center());
        QVERIFY(frame->commands().trigger(OpenUrl));
        QVERIFY(WebTest::waitForTitle(active(), "甲页"));
        QCOMPARE(frame->web().addressBox().currentText(), a);
    }
};

KEEPSAKE_WEB_TEST_MAIN(TestUrlGroupBrowser)

#include "tst_urlgroupbrowser.moc"
