#include "LocalWebServer.h"
#include "WebTest.h"
#include "WorkingWindow.h"
#include "app/AddressBox.h"
#include "app/CMainFrame.h"
#include "app/DocumentArea.h"
#include "app/WebWindows.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "dialogs/CInternetOptionsDlg.h"
#include "documents/CHtmlViewsView.h"
#include "web/BrowserProfile.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTreeView>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

// The browser in the main window, driven as a user drives it: addresses typed
// into the address box, the browser's commands, and pages served on this
// machine.
class TestWebWindows : public QObject {
    Q_OBJECT

    WorkingWindow window;
    std::unique_ptr<CMainFrame>& frame = window.frame;
    LocalWebServer server;

    CommandRegistry& commands() { return frame->commands(); }
    AddressBox& box() { return frame->web().addressBox(); }
    QList<CHtmlViewsView*> webWindows() { return frame->web().webWindows(); }
    CHtmlViewsView* active() { return frame->web().activeWebView(); }

    void typeAndEnter(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // Typed at once: the test's key events carry Latin-1 letters only.
        // Enter goes where the user's goes: to the box, which has the focus.
        box().lineEdit()->setText(text);
        QTest::keyClick(&box(), Qt::Key_Return, modifiers);
    }
    static QVariant evaluate(CHtmlViewsView* view, const QString& script) {
        return WebTest::evaluate(*view, script);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(server.isListening());
        server.put("/a", "<html><head><title>甲页</title></head><body>a</body></html>");
        server.put("/b", "<html><head><title>乙页</title></head><body>b</body></html>");
    }
    void init() { QVERIFY(window.setUp()); }
    void cleanup() { frame.reset(); }

    void enterOpensOneWebWindowAndStepsBackAndForth() {
        const QString a = server.url("/a").toString();
        typeAndEnter(a);
        QCOMPARE(webWindows().size(), 1);
        CHtmlViewsView* view = webWindows().first();
        QCOMPARE(view->windowTitle(), QString("空白")); // until the page names itself
        QVERIFY(WebTest::waitForTitle(view, "甲页"));
        QCOMPARE(box().currentText(), a);
        QTRY_COMPARE(frame->statusBar()->currentMessage(), QString("完成"));

        typeAndEnter(server.url("/b").toString());
        QVERIFY(WebTest::waitForTitle(view, "乙页"));
        QCOMPARE(webWindows().size(), 1); // the active web window is reused
        QTRY_VERIFY(commands().action(CommandIds::WebBack)->isEnabled());
        QVERIFY(!commands().action(CommandIds::WebForward)->isEnabled());

        QVERIFY(commands().trigger(CommandIds::WebBack));
        QVERIFY(WebTest::waitForTitle(view, "甲页"));
        QTRY_VERIFY(commands().action(CommandIds::WebForward)->isEnabled());
        QCOMPARE(box().currentText(), a);

        // Both typed addresses are kept for the next start, newest first.
        QCOMPARE(BrowserProfile(*window.profile).typedAddresses(),
                 QStringList({server.url("/b").toString(), a}));
        QCOMPARE(box().entries(), BrowserProfile(*window.profile).typedAddresses());
    }

    void altDTakesTheUserToTheAddressBox() {
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QWidget* tree = frame->findChild<QTreeView*>();
        tree->setFocus();
        QTRY_VERIFY(tree->hasFocus());
        QTest::keyClick(tree, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(box().hasFocus() || box().lineEdit()->hasFocus());
    }

    void goOpensANewWindowUnlessAWebWindowIsActive() {
        QVERIFY(commands().trigger(CommandIds::NewWebPage));
        QCOMPARE(webWindows().size(), 1);
        QCOMPARE(active()->windowTitle(), QString("About:blank"));
        QCOMPARE(box().currentText(), QString("About:blank"));

        box().setEditText(server.url("/a").toString());
        QVERIFY(commands().trigger(CommandIds::GoToAddress));
        QVERIFY(WebTest::waitForTitle(webWindows().first(), "甲页"));
        QCOMPARE(webWindows().size(), 1);

        // A text document in front: the address gets a window of its own.
        const QString text = window.home->path("note.txt");
        QVERIFY(writeBytes(text, "plain"));
        frame->openDocument(text);
        QVERIFY(!active());
        box().setEditText(server.url("/b").toString());
        QVERIFY(commands().trigger(CommandIds::GoToAddress));
        QCOMPARE(webWindows().size(), 2);
        QVERIFY(WebTest::waitForTitle(webWindows().last(), "乙页"));

        // "当前页" opens the active page's address again in a new window.
        QVERIFY(commands().trigger(CommandIds::CurrentPageInNewWindow));
        QCOMPARE(webWindows().size(), 3);
        QVERIFY(WebTest::waitForTitle(webWindows().last(), "乙页"));
    }

    void aSingleWordIsLookedUpOnlyThroughAServiceTheUserSet() {
        // No service: the word is opened as a host, nothing is sent anywhere.
        typeAndEnter("知识");
        QCOMPARE(webWindows().size(), 1);
        QCOMPARE(webWindows().first()->browser()->page()->requestedUrl(), QUrl("http://知识/"));

        BrowserProfile browser(*window.profile);
        ScriptedPrompter& prompter = window.prompter;
        CInternetOptionsDlg dialog(browser, prompter, frame.get());
        dialog.keywordServiceEdit()->setText("not a host/");
        dialog.accept();
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown.first().text,
                 QString("关键字服务 'not a host/' 不是有效的主机名，请输入如 www.example.com "
                         "的主机名。"));
        QVERIFY(browser.keywordService().isEmpty());
        const QString service = QString("127.0.0.1:%1").arg(server.serverPort());
        dialog.keywordServiceEdit()->setText(service);
        dialog.accept();
        QCOMPARE(browser.keywordService(), service);

        typeAndEnter("知识 &b");
        QCOMPARE(box().currentText(), QString("知识 &b")); // until the page reports its address
        QTRY_VERIFY_WITH_TIMEOUT(
            server.requests().contains("/cns.dll?type=cns&fa=1&name=%E7%9F%A5%E8%AF%86%20%26b"),
            30000);

        // With Ctrl the word is a host again, and the box shows the address.
        typeAndEnter("localhost", Qt::ControlModifier);
        QCOMPARE(box().currentText(), QString("http://localhost"));
    }

    void theTextSizeIsCheckedAndKeptWhenThePageMovesToAnotherSite() {
        QVERIFY(commands().trigger(CommandIds::TextSizeLargest));
        QVERIFY(commands().action(CommandIds::TextSizeLargest)->isChecked());
        QCOMPARE(frame->defFontSize(), 0);
        QVERIFY(commands().trigger(CommandIds::TextSizeLargest + 3));
        QVERIFY(commands().action(CommandIds::TextSizeLargest + 3)->isChecked());
        QVERIFY(!commands().action(CommandIds::TextSizeLargest)->isChecked());
        QCOMPARE(frame->defFontSize(), 3);

        typeAndEnter(server.url("/a").toString());
        CHtmlViewsView* view = active();
        QVERIFY(WebTest::waitForTitle(view, "甲页"));
        QVERIFY(commands().trigger(CommandIds::TextSizeLargest)); // zoom 1.3
        // The page's CSS width shrinks by the zoom: an independent measure of
        // what the engine applies, not what the view asked for.
        const double width = view->browser()->width();
        QTRY_VERIFY(qAbs(evaluate(view, "window.innerWidth").toDouble() - width / 1.3) < 3);

        typeAndEnter(server.url("/b", "localhost").toString());
        QVERIFY(WebTest::waitForTitle(view, "乙页"));
        QTRY_VERIFY(qAbs(evaluate(view, "window.innerWidth").toDouble() - width / 1.3) < 3);
    }

    void pagesSeeOnlyTheTwoExternalMethodsAndOpenWindowsOnlyOnAClick() {
        server.put("/popup",
                   "<html><head><title>弹出</title><style>a{display:block;height:400px}</style>"
                   "</head><body><a href='/a' target='_blank'>open</a>"
                   "<script>window.open('/b');</script></body></html>");
        typeAndEnter(server.url("/popup").toString());
        CHtmlViewsView* view = active();
        QVERIFY(WebTest::waitForTitle(view, "弹出"));
        QCOMPARE(evaluate(view, "[typeof window.external.AddFavorite, "
                                "typeof window.external.addfavorite, "
                                "typeof window.external.addProxy, "
                                "typeof window.external.AddProxy, "
                                "typeof window.external.AddSearchProvider, "
                                "String(window.external.addFavorite('u', 't'))].join()")
                     .toString(),
                 QString("function,function,function,undefined,undefined,undefined"));
        QTest::qWait(300);
        QCOMPARE(webWindows().size(), 1); // the script's window.open was refused

        QWidget* surface = view->browser()->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(40, 40));
        QTRY_COMPARE_WITH_TIMEOUT(webWindows().size(), 2, 30000);
        QVERIFY(WebTest::waitForTitle(webWindows().last(), "甲页"));
    }

    void aPageThatClosesItsWindowClosesItsTab() {
        server.put("/opener", "<html><head><title>开</title><style>a{display:block;height:400px}"
                              "</style></head><body><a href='/closer' target='_blank'>x</a>"
                              "</body></html>");
        server.put("/closer", "<html><head><title>关</title></head><body>"
                              "<script>setTimeout(function () { window.close(); }, 200);</script>"
                              "</body></html>");
        typeAndEnter(server.url("/opener").toString());
        CHtmlViewsView* opener = active();
        QVERIFY(WebTest::waitForTitle(opener, "开"));
        QTest::mouseClick(opener->browser()->focusProxy(), Qt::LeftButton, {}, QPoint(40, 40));
        QTRY_COMPARE_WITH_TIMEOUT(webWindows().size(), 2, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(webWindows().size(), 1, 30000);
        QCOMPARE(frame->documents().subWindowList().size(), 1);
    }
};

KEEPSAKE_WEB_TEST_MAIN(TestWebWindows)

#include "tst_webwindows.moc"
