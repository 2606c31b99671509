#include "LocalWebServer.h"
#include "WebTest.h"
#include "WorkingWindow.h"
#include "app/CMainFrame.h"
#include "app/DocumentArea.h"
#include "app/MaterialWindows.h"
#include "app/WebPreviewCommands.h"
#include "app/WebWindows.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/CHtmlViewsView.h"
#include "documents/LocalPageGuard.h"
#include "materials/MaterialCreator.h"
#include "materials/MaterialListModel.h"
#include "materials/MaterialOpening.h"
#include "materials/MaterialPanes.h"
#include "materials/MaterialProperties.h"
#include "materials/OpenMaterialsModel.h"
#include "store/CategoryTreeModel.h"
#include "web/CHtmlViewsDoc.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

// A material's folder shown as web pages in the one shared web window, paged
// through with the preview's toolbar, as a user pages through it.
class TestWebPreview : public QObject {
    Q_OBJECT

    WorkingWindow window;
    std::unique_ptr<CMainFrame>& frame = window.frame;

    CommandRegistry& commands() { return frame->commands(); }
    bool enabled(int id) { return commands().action(id)->isEnabled(); }
    QComboBox& pageBox() { return frame->webPreview().pageBox(); }
    CHtmlViewsView* pages() { return frame->materialWindows().pagesWindow(); }

    QString minorCode() {
        CategoryTreeModel& tree = frame->categoryTree();
        const QModelIndex root = tree.index(0, 0);
        return CategoryTreeModel::codeOf(tree.index(0, 0, tree.index(0, 0, root)));
    }
    MaterialRecord webMaterial(const QString& name) {
        std::optional<MaterialRecord> made =
            frame->materials().creator().Create(minorCode(), name, "NULL", false);
        return made.value_or(MaterialRecord{});
    }
    static QString folderOf(const MaterialRecord& material) {
        return MaterialOpening::TargetOf(material).folder;
    }
    static QString evaluate(CHtmlViewsView* view, const QString& script) {
        return WebTest::evaluate(*view, script);
    }
    // The text of the page shown, once it is the one expected.
    bool shows(const QString& text) {
        return QTest::qWaitFor(
            [&] {
                return pages() && evaluate(pages(), "document.body.innerText").trimmed() == text;
            },
            30000);
    }
    QStringList openNames() {
        QStringList names;
        OpenMaterialsModel& open = frame->materials().openMaterials();
        for (int row = 0; row < open.rowCount(); ++row)
            names << open.materialAt(row).MinuItemName;
        return names;
    }

private Q_SLOTS:
    void init() { QVERIFY(window.setUp()); }
    void cleanup() { frame.reset(); }

    void aMaterialsPagesAreSteppedThroughByName() {
        const MaterialRecord material = webMaterial("网页资料");
        const QString folder = folderOf(material);
        QVERIFY(writeBytes(folder + "/a.htm", "<title>A</title><body>page a</body>"));
        QVERIFY(writeBytes(folder + "/a.mht", "not shown: a.htm comes first"));
        QVERIFY(writeBytes(folder + "/b.htm", "<body>page b</body>"));
        QVERIFY(writeBytes(folder + "/c.html", "<body>page c</body>"));

        QVERIFY(frame->openMaterial(material));
        QVERIFY(pages());
        QVERIFY(shows("page a"));
        QCOMPARE(pages()->windowTitle(), QString("网页资料"));
        const QStringList names = {"a", "b", "c"};
        QStringList listed;
        for (int i = 0; i < pageBox().count(); ++i)
            listed << pageBox().itemText(i);
        QCOMPARE(listed, names);
        QCOMPARE(pageBox().currentText(), QString("a"));
        QVERIFY(!enabled(CommandIds::PreviousMaterialPage));

        QVERIFY(commands().trigger(CommandIds::NextMaterialPage));
        QVERIFY(shows("page b"));
        QVERIFY(commands().trigger(CommandIds::NextMaterialPage));
        QVERIFY(shows("page c"));
        QCOMPARE(pageBox().currentText(), QString("c"));
        QVERIFY(!enabled(CommandIds::NextMaterialPage));
        QVERIFY(commands().trigger(CommandIds::PreviousMaterialPage));
        QVERIFY(shows("page b"));
        QVERIFY(commands().trigger(CommandIds::FirstMaterialPage));
        QVERIFY(shows("page a"));

        pageBox().setCurrentIndex(2);
        Q_EMIT pageBox().activated(2);
        QVERIFY(shows("page c"));
        QCOMPARE(pages()->document().pageIndex(), 2);

        // A page saved meanwhile shows in the list; the page shown stays.
        QVERIFY(writeBytes(folder + "/0.htm", "<body>page 0</body>"));
        QVERIFY(commands().trigger(CommandIds::RefreshMaterialPages));
        QCOMPARE(pageBox().count(), 4);
        QCOMPARE(pageBox().currentText(), QString("c"));
        QTest::qWait(200);
        QVERIFY(shows("page c"));
        QCOMPARE(openNames(), QStringList({"网页资料"}));

        // Another material's pages take the same window; the first material
        // is no longer shown anywhere, so it is no longer listed as open.
        const MaterialRecord empty = webMaterial("空资料");
        CHtmlViewsView* shared = pages();
        QVERIFY(frame->openMaterial(empty));
        QCOMPARE(pages(), shared);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return evaluate(pages(), "document.body.innerText").contains("该资料没有描述文件");
            },
            30000));
        QCOMPARE(pageBox().count(), 0);
        QCOMPARE(pageBox().placeholderText(), QString("Empty"));
        for (int id : {CommandIds::FirstMaterialPage, CommandIds::PreviousMaterialPage,
                       CommandIds::NextMaterialPage, CommandIds::RefreshMaterialPages})
            QVERIFY(!enabled(id));
        QCOMPARE(openNames(), QStringList({"空资料"}));

        frame->documents().closeWebWindows();
        QTRY_VERIFY(openNames().isEmpty());
    }

    void aDocumentsFolderCanBeShownAsPagesAndBack() {
        // The welcome base's first material, kept as rich text.
        MaterialListModel& list = frame->materials().list();
        list.showMaterialsOf(minorCode());
        const MaterialRecord welcome = list.materialAt(0);
        QCOMPARE(welcome.DescribeFileType, QString("0"));
        QVERIFY(frame->openMaterial(welcome));
        DocumentWindow* editor = frame->documents().activeDocument();
        QVERIFY(editor);
        QVERIFY(enabled(CommandIds::SwitchToWebPreview));
        QVERIFY(!enabled(CommandIds::SwitchToNormalPreview));

        // No pages in its folder: nothing to switch to, and nothing opens.
        QVERIFY(commands().trigger(CommandIds::SwitchToWebPreview));
        QVERIFY(!pages());
        QVERIFY(enabled(CommandIds::SwitchToNormalPreview));

        QVERIFY(writeBytes(folderOf(welcome) + "/saved.htm", "<body>saved page</body>"));
        QVERIFY(commands().trigger(CommandIds::SwitchToNormalPreview));
        QCOMPARE(frame->documents().activeDocument(), editor);
        QVERIFY(enabled(CommandIds::SwitchToWebPreview));
        QVERIFY(commands().trigger(CommandIds::SwitchToWebPreview));
        QVERIFY(shows("saved page"));
        QCOMPARE(pages()->windowTitle(), welcome.MinuItemName);
        QVERIFY(!enabled(CommandIds::SwitchToWebPreview));

        QVERIFY(commands().trigger(CommandIds::SwitchToNormalPreview));
        QCOMPARE(frame->documents().activeDocument(), editor);
        QVERIFY(!enabled(CommandIds::SwitchToNormalPreview));
    }

    void pagesSavedInEachFormatAreSteppedThrough() {
        LocalWebServer server;
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
        server.put("/p.png", png, "image/png");
        server.put("/page", "<html><head><meta charset='utf-8'><title>剪报</title></head>"
                            "<body>clipping<img src='/p.png'></body></html>");
        const MaterialRecord material = webMaterial("剪报集");
        frame->web().OpenAddress(server.url("/page").toString());
        CHtmlViewsView* web = frame->web().activeWebView();
        QVERIFY(QTest::qWaitFor([&] { return web->windowTitle() == "剪报"; }, 30000));
        frame->materials().properties().show(material); // the capture folder

        // Each format in turn from the capture button's menu, then Ctrl+B's command.
        for (int format : {CommandIds::AutoSaveCompletePage, CommandIds::AutoSaveSingleFile,
                           CommandIds::AutoSaveHtmlOnly}) {
            QVERIFY(commands().trigger(format));
            QVERIFY(commands().trigger(CommandIds::AutoSavePage));
            QVERIFY(QTest::qWaitFor(
                [&] { return frame->statusBar()->currentMessage().startsWith("网页已保存到"); },
                30000));
            frame->statusBar()->clearMessage();
        }

        QVERIFY(frame->openMaterial(material));
        QVERIFY(shows("clipping"));
        QCOMPARE(pageBox().count(), 3);
        QCOMPARE(pageBox().itemText(0), QString("剪报"));
        QCOMPARE(pageBox().itemText(1), QString("剪报 (2)"));
        QCOMPARE(pageBox().itemText(2), QString("剪报 (3)"));
        // The complete page shows its picture from its own folder.
        QTRY_COMPARE(evaluate(pages(), "String(document.images[0].naturalWidth)"), QString("8"));
        QVERIFY(commands().trigger(CommandIds::NextMaterialPage)); // the web archive
        QVERIFY(shows("clipping"));
        QCOMPARE(pages()->filePath(), folderOf(material) + "/剪报 (2).mht");
        QVERIFY(commands().trigger(CommandIds::NextMaterialPage));
        QVERIFY(shows("clipping"));
        QCOMPARE(pages()->filePath(), folderOf(material) + "/剪报 (3).htm");
        QVERIFY(commands().trigger(CommandIds::RefreshMaterialPages));
        QCOMPARE(pageBox().count(), 3);
        QCOMPARE(pageBox().currentText(), QString("剪报 (3)"));
    }

    void aLocalPageMayReadOnlyWithinItsFolder() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("m/page_files"));
        QVERIFY(QDir(dir.path()).mkpath("m2"));
        const QString page = dir.filePath("m/page.htm");
        for (const char* name : {"m/page.htm", "m/page_files/p.png", "m2/x.png", "secret.txt"})
            QVERIFY(writeBytes(dir.filePath(name), "x"));
        QVERIFY(QFile::link(dir.filePath("secret.txt"), dir.filePath("m/link.txt")));

        QVERIFY(LocalPageGuard::mayRead(page, dir.filePath("m/page_files/p.png")));
        QVERIFY(LocalPageGuard::mayRead(page, dir.filePath("m/page.htm")));
        QVERIFY(
            !LocalPageGuard::mayRead(page, dir.filePath("m2/x.png"))); // a name that starts alike
        QVERIFY(!LocalPageGuard::mayRead(page, dir.filePath("m/../secret.txt")));
        QVERIFY(!LocalPageGuard::mayRead(page, dir.filePath("m/link.txt")));
        QVERIFY(!LocalPageGuard::mayRead(page, dir.filePath("m/missing.png")));
    }

    void aSavedPageShowsItsPicturesButReadsNoOtherFile() {
        const MaterialRecord material = webMaterial("完整网页");
        const QString folder = folderOf(material);
        QVERIFY(QDir(folder).mkpath("page_files"));
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(folder + "/page_files/p.png"));
        QVERIFY(
            writeBytes(folder + "/page.htm", "<body><img src='page_files/p.png'>picture</body>"));
        QVERIFY(writeBytes(window.home->path("secret.txt"), "secret"));

        QVERIFY(frame->openMaterial(material));
        QVERIFY(shows("picture"));
        QTRY_COMPARE(evaluate(pages(), "String(document.images[0].naturalWidth)"), QString("8"));
        const QString secret = QUrl::fromLocalFile(window.home->path("secret.txt")).toString();
        QCOMPARE(
            evaluate(pages(), "(function () { try { var x = new XMLHttpRequest();"
                              " x.open('GET', '" +
                                  secret +
                                  "', false); x.send();"
                                  " return x.responseText; } catch (e) { return 'refused'; } })()"),
            QString("refused"));
    }
};

KEEPSAKE_WEB_TEST_MAIN(TestWebPreview)

#include "tst_webpreview.moc"
