#include "LocalWebServer.h"
#include "ScriptedPrompter.h"
#include "WebTest.h"
#include "WorkingWindow.h"
#include "app/CMainFrame.h"
#include "app/CaptureCommands.h"
#include "app/DescriptTypeSelector.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "dialogs/CNewMaterialDlg.h"
#include "documents/CHtmlViewsView.h"
#include "documents/CKeepsakeView.h"
#include "documents/CRichEditControlView.h"
#include "documents/PageCapture.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "panes/CMaterialPane.h"
#include "store/CategoryTreeModel.h"
#include "web/CHtmlViewsDoc.h"

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

namespace {

// The served page's title, and the name its captures are saved under.
const QString kTitle = QStringLiteral("读书 笔记");

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

// The menu item of a drop-down button, found by its text as the user reads it.
QAction* itemOf(QToolButton& button, const QString& text) {
    for (QAction* action : button.menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

// Keeping web pages and downloads in a material's folder, as the user does
// it from a web window: the capture in each format and the names it takes,
// the formats chosen on the commands' drop-down menus, Ctrl+B, the new
// material made of a page, and the downloads a page starts.
class TestPageCapture : public QObject {
    Q_OBJECT

    std::unique_ptr<LocalWebServer> m_server;
    QByteArray m_picture;

    std::unique_ptr<CHtmlViewsView> loaded(const QString& path) {
        auto view = std::make_unique<CHtmlViewsView>();
        view->resize(640, 480);
        view->show();
        if (!showPage(*view, path))
            return {};
        return view;
    }
    bool showPage(CHtmlViewsView& view, const QString& path) {
        QSignalSpy finished(&view, &CHtmlViewsView::loadFinished);
        view.navigate(m_server->url(path).toString());
        return finished.wait(30000) && finished.first().first().toBool();
    }
    // A web window added to the area, showing the page, its browser focused.
    CHtmlViewsView* webWindowIn(DocumentArea& area) {
        auto* view = new CHtmlViewsView;
        area.addDocument(view);
        if (!showPage(*view, "/page.html"))
            return nullptr;
        view->browser()->setFocus();
        QWidget* proxy = view->browser()->focusProxy();
        return QTest::qWaitFor([proxy] { return proxy->hasFocus(); }) ? view : nullptr;
    }
    static void pressCtrl(CHtmlViewsView& view, Qt::Key key) {
        QTest::keyClick(view.browser()->focusProxy(), key, Qt::ControlModifier);
    }
    // A capture into a folder of its own, its status texts watched.
    struct Capturing {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        PageCapture capture{prompter};
        QSignalSpy status{&capture, &PageCapture::statusTextChanged};
        Capturing() { capture.SetCaptureFolder(folder.path()); }
    };
    // The status text that ends a capture or a download.
    static QString endOf(QSignalSpy& status) {
        if (status.isEmpty() && !status.wait(30000))
            return QStringLiteral("<no end>");
        return status.takeFirst().first().toString();
    }

private Q_SLOTS:
    void initTestCase() {
        m_server = std::make_unique<LocalWebServer>();
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QBuffer buffer(&m_picture);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "PNG"));
        m_server->put("/pic.png", m_picture, "image/png");
        m_server->put("/page.html", "<html><head><meta charset=\"utf-8\"><title>" +
                                        kTitle.toUtf8() +
                                        "</title></head><body><p>正文</p>"
                                        "<img src=\"/pic.png\"></body></html>");
    }

    void eachFormatSavesItsFiles_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("complete page")
            << int(CaptureFormat::CompletePage) << QStringList{kTitle + ".htm", kTitle + "_files"};
        QTest::newRow("single file")
            << int(CaptureFormat::SingleFile) << QStringList{kTitle + ".mht"};
        QTest::newRow("HTML only") << int(CaptureFormat::HtmlOnly) << QStringList{kTitle + ".htm"};
    }

    void eachFormatSavesItsFiles() {
        QFETCH(int, format);
        QFETCH(QStringList, entries);
        Capturing c;
        auto view = loaded("/page.html");
        QVERIFY(view);

        QVERIFY(c.capture.CaptureCurrentPage(view.get(), CaptureFormat(format)));
        const QString saved = c.folder.filePath(entries.first());
        QCOMPARE(endOf(c.status), "网页已保存到 " + saved);
        QCOMPARE(entriesOf(c.folder.path()), entries);
        const QByteArray content = readBytes(saved);
        switch (CaptureFormat(format)) {
        case CaptureFormat::CompletePage: {
            // The picture is kept beside the page, which shows it from there.
            const QString files = c.folder.filePath(kTitle + "_files");
            const QStringList kept = entriesOf(files);
            QCOMPARE(kept.size(), 1);
            QCOMPARE(readBytes(files + "/" + kept.first()), m_picture);
            QVERIFY(content.contains((kTitle + "_files/" + kept.first()).toUtf8()));
            QVERIFY(content.contains("正文"));
            break;
        }
        case CaptureFormat::SingleFile:
            QVERIFY(content.contains("multipart/related"));
            QVERIFY(content.contains(m_server->url("/pic.png").toEncoded()));
            break;
        case CaptureFormat::HtmlOnly:
            QVERIFY(content.contains("正文"));
            break;
        }
        QVERIFY(c.prompter.shown.isEmpty());
    }

    void laterCapturesTakeNewNamesAndLeaveTheFirst() {
        Capturing c;
        auto view = loaded("/page.html");
        QVERIFY(view);
        QVERIFY(c.capture.CaptureCurrentPage(view.get(), CaptureFormat::SingleFile));
        QCOMPARE(endOf(c.status), "网页已保存到 " + c.folder.filePath(kTitle + ".mht"));
        const QByteArray first = readBytes(c.folder.filePath(kTitle + ".mht"));

        // Two more at once, as from a key pressed twice: neither waits for
        // the other to be written before its name is chosen.
        QVERIFY(c.capture.CaptureCurrentPage(view.get(), CaptureFormat::SingleFile));
        QVERIFY(c.capture.CaptureCurrentPage(view.get(), CaptureFormat::HtmlOnly));
        QStringList ends = {endOf(c.status), endOf(c.status)};
        ends.sort();
        QCOMPARE(ends, QStringList({"网页已保存到 " + c.folder.filePath(kTitle + " (2).mht"),
                                    "网页已保存到 " + c.folder.filePath(kTitle + " (3).htm")}));
        QCOMPARE(entriesOf(c.folder.path()),
                 QStringList({kTitle + " (2).mht", kTitle + " (3).htm", kTitle + ".mht"}));
        QCOMPARE(readBytes(c.folder.filePath(kTitle + ".mht")), first);
        QVERIFY(readBytes(c.folder.filePath(kTitle + " (2).mht")).contains("multipart/related"));
        QVERIFY(readBytes(c.folder.filePath(kTitle + " (3).htm")).contains("正文"));
    }

    void failedCapturesSayWhyAndLeaveNothing() {
        ScriptedPrompter prompter;
        PageCapture capture(prompter);
        QSignalSpy status(&capture, &PageCapture::statusTextChanged);
        auto view = loaded("/page.html");
        QVERIFY(view);
        const auto said = [&status] { return status.takeFirst().first().toString(); };
        QVERIFY(!capture.CaptureCurrentPage(view.get(), CaptureFormat::SingleFile));
        QCOMPARE(said(), QString("没有当前资料，无法保存网页"));

        QTemporaryDir folder;
        capture.SetCaptureFolder(folder.filePath("gone"));
        QVERIFY(!capture.CaptureCurrentPage(view.get(), CaptureFormat::SingleFile));
        const QString why = said();
        QVERIFY2(why.startsWith("网页保存失败: ") && why.size() > 8, qPrintable(why));

        capture.SetCaptureFolder(folder.path());
        QVERIFY(!capture.CaptureCurrentPage(nullptr, CaptureFormat::SingleFile));
        QCOMPARE(said(), QString("当前窗口没有可保存的网页"));

        // The page closed before its save began.
        QList<bool> ended;
        QVERIFY(capture.CaptureCurrentPage(view.get(), CaptureFormat::SingleFile,
                                           [&ended](bool saved) { ended << saved; }));
        view.reset();
        QCOMPARE(ended, QList<bool>({false}));
        QCOMPARE(said(), QString("网页保存失败: 网页已关闭"));
        QVERIFY(entriesOf(folder.path()).isEmpty());
        QVERIFY(prompter.shown.isEmpty());
    }

    void aDownloadIsAskedAboutAndGoesToTheCaptureFolder() {
        QByteArray body;
        for (int i = 0; i < 200000; ++i)
            body += char(i * 7 % 251);
        m_server->putDownload("/notes.bin", body, "notes.bin");
        Capturing c;
        QVERIFY(writeBytes(c.folder.filePath("notes.bin"), "kept"));
        QSignalSpy progress(&c.capture, &PageCapture::downloadProgressed);
        auto view = loaded("/page.html");
        QVERIFY(view);
        c.capture.watch(view->browser()->page()->profile());
        const QString question =
            QString("是否下载文件 'notes (2).bin' 到 '%1'?").arg(c.folder.path());

        c.prompter.answerNext(Prompter::Answer::No);
        view->navigate(m_server->url("/notes.bin").toString());
        QTRY_COMPARE_WITH_TIMEOUT(c.prompter.shown.size(), 1, 30000);
        QCOMPARE(c.prompter.shown[0].caption, QString("提示"));
        QCOMPARE(c.prompter.shown[0].text, question);
        QCOMPARE(entriesOf(c.folder.path()), QStringList({"notes.bin"}));

        view->navigate(m_server->url("/notes.bin").toString());
        QCOMPARE(endOf(c.status), "下载完成: " + c.folder.filePath("notes (2).bin"));
        QCOMPARE(c.prompter.shown.size(), 2);
        QCOMPARE(c.prompter.shown[1].text, question);
        QCOMPARE(readBytes(c.folder.filePath("notes (2).bin")), body);
        QCOMPARE(readBytes(c.folder.filePath("notes.bin")), QByteArray("kept"));
        QCOMPARE(entriesOf(c.folder.path()), QStringList({"notes (2).bin", "notes.bin"}));
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.first().first().toInt(), 0);
        QCOMPARE(progress.last().first().toInt(), 100);
    }

    void theChosenFormatIsCheckedAndUsedByCtrlB() {
        QMainWindow window;
        auto* area = new DocumentArea(&window);
        window.setCentralWidget(area);
        CommandRegistry commands;
        ScriptedPrompter prompter;
        PageCapture capture(prompter);
        QTemporaryDir folder;
        capture.SetCaptureFolder(folder.path());
        CaptureCommands capturing(
            commands, capture, *area, [] { return QString(); }, &window);
        auto* bar = window.addToolBar("web");
        capturing.addButtons(*bar);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        auto* autoSave = window.findChild<QToolButton*>("captureButton950");
        auto* intoBase = window.findChild<QToolButton*>("captureButton951");
        QVERIFY(autoSave && intoBase);
        QCOMPARE(autoSave->popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(autoSave->text(), QString("自动保存当前网页"));
        const QStringList texts = {"网页,全部(*htm;*.html)", "Web 档案,单个文件(*.mht)",
                                   "网页,仅 HTML(*.htm;*.html)"};
        const auto checked = [&](QToolButton& button) {
            QStringList marks;
            for (const QString& text : texts)
                marks << (itemOf(button, text)->isChecked() ? "x" : "-");
            return marks.join("");
        };
        // A single file, for both, until the user chooses another.
        QCOMPARE(checked(*autoSave), QString("-x-"));
        QCOMPARE(checked(*intoBase), QString("-x-"));
        itemOf(*autoSave, texts[2])->trigger();
        QCOMPARE(checked(*autoSave), QString("--x"));
        QCOMPARE(checked(*intoBase), QString("-x-"));
        itemOf(*intoBase, texts[0])->trigger();
        QCOMPARE(checked(*intoBase), QString("x--"));
        QCOMPARE(checked(*autoSave), QString("--x"));

        // In a menu each command is followed by its formats, checked alike.
        QMenu menu;
        capturing.addToMenu(menu);
        QStringList entries;
        for (const QAction* action : menu.actions())
            entries << (action->isChecked() ? "✓ " : "") + action->text();
        QCOMPARE(entries,
                 QStringList({"自动保存当前网页\t  Ctrl+B", texts[0], texts[1], "✓ " + texts[2], "",
                              "将当前网页入知识库", "✓ " + texts[0], texts[1], texts[2]}));

        CHtmlViewsView* view = webWindowIn(*area);
        QVERIFY(view);
        QSignalSpy status(&capture, &PageCapture::statusTextChanged);
        pressCtrl(*view, Qt::Key_B);
        QCOMPARE(endOf(status), "网页已保存到 " + folder.filePath(kTitle + ".htm"));
        QCOMPARE(entriesOf(folder.path()), QStringList({kTitle + ".htm"}));

        // The button saves as well, in the format now in force.
        itemOf(*autoSave, texts[1])->trigger();
        QTest::mouseClick(autoSave, Qt::LeftButton, {}, QPoint(4, autoSave->height() / 2));
        QCOMPARE(endOf(status), "网页已保存到 " + folder.filePath(kTitle + " (2).mht"));
    }

    void ctrlBSavesIntoTheChosenMaterialAndStaysBoldInTheEditor() {
        WorkingWindow window;
        QVERIFY(window.setUp());
        CMainFrame& frame = *window.frame;
        // The browser's toolbar shows them: a command on a visible button
        // could take its key from everywhere in the window.
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        // The material the user picks in the list takes the pages.
        MaterialListModel& list = frame.materials().list();
        QVERIFY(list.rowCount() > 0);
        frame.materialPane().view()->setCurrentIndex(list.index(0, 1));
        const QString folder =
            window.home->path("kb/我的知识库/" + list.materialAt(0).MinuItemFilePath);
        const QStringList before = entriesOf(folder);

        CHtmlViewsView* view = webWindowIn(frame.documents());
        QVERIFY(view);
        pressCtrl(*view, Qt::Key_B);
        const QString saved = folder + kTitle + ".mht";
        QTRY_COMPARE_WITH_TIMEOUT(frame.statusBar()->currentMessage(), "网页已保存到 " + saved,
                                  30000);
        QStringList after = before + QStringList{kTitle + ".mht"};
        after.sort();
        QCOMPARE(entriesOf(folder), after);

        // Elsewhere the key does not save: a save would have taken its name
        // in the folder at once.
        frame.treePane().view()->setFocus();
        QTRY_VERIFY(frame.treePane().view()->hasFocus());
        QTest::keyClick(frame.treePane().view(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(entriesOf(folder), after);

        // In the rich-text editor the key is bold, as it was.
        QTemporaryDir dir;
        const QString rtf = dir.filePath("note.rtf");
        QVERIFY(writeBytes(rtf, "{\\rtf1\\ansi \\par }"));
        frame.openDocument(rtf);
        auto* editor = qobject_cast<CRichEditControlView*>(frame.documents().activeDocument());
        QVERIFY(editor);
        editor->editor()->setFocus();
        QTRY_VERIFY(editor->editor()->hasFocus());
        QVERIFY(!frame.commands().action(CommandIds::CharBold)->isChecked());
        QTest::keyClick(editor->editor(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(frame.commands().action(CommandIds::CharBold)->isChecked());
        QCOMPARE(frame.statusBar()->currentMessage(), "网页已保存到 " + saved);
        QCOMPARE(entriesOf(folder), after);
    }

    void ctrlSIsSaveAsInAWebWindowAndSaveInAnEditor() {
        WorkingWindow window;
        QVERIFY(window.setUp());
        CMainFrame& frame = *window.frame;
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTemporaryDir dir;
        QStringList proposed;
        const QString target = dir.filePath("另存.htm");
        frame.captureCommands().setAskSaveTarget([&](const QString& path) {
            proposed << path;
            return std::optional<CaptureCommands::SaveTarget>({target, CaptureFormat::HtmlOnly});
        });

        // A text document with a change, and a web window in front of it.
        const QString text = dir.filePath("note.txt");
        QVERIFY(writeBytes(text, "old"));
        frame.openDocument(text);
        auto* editor = qobject_cast<CKeepsakeView*>(frame.documents().activeDocument());
        QVERIFY(editor);
        editor->editor()->setText("new");
        CHtmlViewsView* view = webWindowIn(frame.documents());
        QVERIFY(view);
        pressCtrl(*view, Qt::Key_S);
        QCOMPARE(
            proposed,
            QStringList({QDir(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation))
                             .filePath(kTitle + ".mht")}));
        QTRY_COMPARE_WITH_TIMEOUT(frame.statusBar()->currentMessage(), "网页已保存到 " + target,
                                  30000);
        QVERIFY(readBytes(target).contains("正文"));
        QCOMPARE(readBytes(text), QByteArray("old")); // not saved by the web window's Ctrl+S

        frame.documents().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(editor->parentWidget()));
        editor->editor()->setFocus();
        QTRY_VERIFY(editor->editor()->hasFocus());
        QTest::keyClick(editor->editor(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(readBytes(text), QByteArray("new"));
        QCOMPARE(proposed.size(), 1);
    }

    void intoBaseMakesAMaterialOfThePage() {
        WorkingWindow window;
        QVERIFY(window.setUp());
        CMainFrame& frame = *window.frame;
        QAction* intoBase = frame.commands().action(CommandIds::SavePageIntoBase);
        CategoryTreeModel& tree = frame.categoryTree();
        const QModelIndex root = tree.index(0, 0);
        const QModelIndex major = tree.index(0, 0, root);
        const QModelIndex minor = tree.index(0, 0, major);
        QVERIFY(minor.isValid());
        QTreeView* items = frame.treePane().view();
        QVERIFY(!intoBase->isEnabled());
        for (const QModelIndex& item : {root, major}) {
            items->setCurrentIndex(item);
            QVERIFY(!intoBase->isEnabled());
        }

        // No web window, no material.
        items->setCurrentIndex(minor);
        QVERIFY(intoBase->isEnabled());
        intoBase->trigger();
        QCOMPARE(frame.statusBar()->currentMessage(), QString("当前窗口没有可保存的网页"));
        QVERIFY(!frame.findChild<CNewMaterialDlg*>());

        CHtmlViewsView* view = webWindowIn(frame.documents());
        QVERIFY(view);
        intoBase->trigger();
        auto* dialog = frame.findChild<CNewMaterialDlg*>();
        QVERIFY(dialog);
        QCOMPARE(dialog->nameEdit()->text(), kTitle);
        QCOMPARE(frame.typeSelector().currentText(), QString("NULL"));
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTRY_VERIFY(!frame.findChild<CNewMaterialDlg*>());

        const QString id = window.stored("select max(MinuItemID) from MinuItemTable");
        const QString where = " from MinuItemTable where MinuItemID=" + id;
        QCOMPARE(window.stored("select MinuItemName" + where), kTitle);
        QCOMPARE(window.stored("select DescribeFileType" + where), QString("1"));
        QCOMPARE(window.stored("select ItemID" + where), CategoryTreeModel::codeOf(minor));
        const QString folder =
            window.home->path("kb/我的知识库/" + window.stored("select MinuItemFilePath" + where));
        const QString page = folder + kTitle + ".mht";
        QTRY_COMPARE_WITH_TIMEOUT(frame.statusBar()->currentMessage(), "网页已保存到 " + page,
                                  30000);
        QCOMPARE(entriesOf(folder), QStringList({kTitle + ".mht"}));
        QVERIFY(readBytes(page).contains("multipart/related"));
        QVERIFY(window.prompter.shown.isEmpty());

        // Opened once saved, its window shows the page.
        auto* opened = qobject_cast<CHtmlViewsView*>(frame.documents().activeDocument());
        QVERIFY(opened && opened != view);
        QCOMPARE(opened->windowTitle(), kTitle);
        QCOMPARE(opened->document().pages(), QStringList({kTitle}));
        QCOMPARE(opened->filePath(), page);

        // The new material is the current one: later pages go to it.
        frame.documents().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
        QVERIFY(frame.commands().trigger(CommandIds::AutoSavePage));
        QTRY_COMPARE_WITH_TIMEOUT(frame.statusBar()->currentMessage(),
                                  "网页已保存到 " + folder + kTitle + " (2).mht", 30000);
    }
};

KEEPSAKE_WEB_TEST_MAIN(TestPageCapture)

#include "tst_pagecapture.moc"
