#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "WorkingWindow.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "documents/DocumentWindow.h"
#include "materials/MaterialListModel.h"
#include "materials/MaterialPanes.h"
#include "panes/CFileBrowserPane.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QListView>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QtTest>

using namespace CommandIds;

// Uses the file browser pane with clicks and keys: a material's folder is
// shown, the view is switched, and files copied in a file manager are pasted.
class TestFileBrowserPane : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    ScriptedPrompter prompter;
    std::unique_ptr<CommandRegistry> commands;
    std::unique_ptr<QWidget> window;
    CFileBrowserPane* pane = nullptr;
    QList<QUrl> opened;

    QString path(const QString& relative) const { return dir->filePath(relative); }
    QString material() const { return path("base/01/01/01/7"); }

    // The names the visible list shows, in the order shown.
    QStringList shownNames() const {
        QAbstractItemView* view = pane->viewMode() == CFileBrowserPane::ViewMode::Details
                                      ? static_cast<QAbstractItemView*>(pane->detailsView())
                                      : pane->fileList();
        QStringList names;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            names.append(view->model()->index(row, 0, root).data().toString());
        names.sort();
        return names;
    }
    QToolButton* button(int id) const {
        auto* bar = pane->findChild<QToolBar*>();
        return qobject_cast<QToolButton*>(bar->widgetForAction(commands->action(id)));
    }
    void click(int id) {
        QToolButton* b = button(id);
        // Left of a split button's arrow, where the command itself is.
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 4, b->height() / 2));
    }
    int checkedView() const {
        for (int id : {ViewLargeIcons, ViewSmallIcons, ViewList, ViewDetails}) {
            if (commands->action(id)->isChecked())
                return id;
        }
        return 0;
    }
    void putOnClipboard(const QByteArray& gnomeList) {
        auto* data = new QMimeData;
        data->setData("x-special/gnome-copied-files", gnomeList);
        QGuiApplication::clipboard()->setMimeData(data);
    }

public Q_SLOTS:
    // Stands in for the desktop's file manager.
    void openUrl(const QUrl& url) { opened.append(url); }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        writeBytes(material() + "/笔记.txt", "原来的笔记");
        writeBytes(material() + "/图片.png", "png");
        QDir().mkpath(material() + "/附件");
        writeBytes(material() + "/附件/说明.txt", "x");
        writeBytes(path("desktop/笔记.txt"), "桌面上的笔记");
        writeBytes(path("desktop/清单.txt"), "清单");
        writeBytes(path("desktop/报告.doc"), "报告");
        prompter = ScriptedPrompter();
        commands = std::make_unique<CommandRegistry>();
        window = std::make_unique<QWidget>();
        pane = new CFileBrowserPane(prompter, *commands, window.get());
        window->resize(700, 400);
        pane->resize(700, 400);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QDesktopServices::setUrlHandler("file", this, "openUrl");
    }
    void cleanup() {
        QDesktopServices::unsetUrlHandler("file");
        window.reset();
        opened.clear();
    }

    void showsTheFolderAndItsFiles() {
        QSignalSpy shown(pane, &CFileBrowserPane::folderShown);
        pane->ShowFolder(material());
        QCOMPARE(pane->shownFolder(), material());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().first().toString(), material());
        QTRY_COMPARE(shownNames(), QStringList({"图片.png", "笔记.txt", "附件"}));
        QCOMPARE(pane->folderTree()->currentIndex().data().toString(), QString("7"));

        // A material whose folder was deleted leaves the pane where it was.
        pane->ShowFolder(path("base/01/01/01/8"));
        QCOMPARE(pane->shownFolder(), material());
        QCOMPARE(shown.size(), 1);

        // Enter on a folder goes into it; on a file asks to open it.
        QSignalSpy openFile(pane, &CFileBrowserPane::openFileRequested);
        QListView* list = pane->fileList();
        const auto rowNamed = [list](const QString& name) {
            const QModelIndex root = list->rootIndex();
            for (int row = 0; row < list->model()->rowCount(root); ++row) {
                const QModelIndex index = list->model()->index(row, 0, root);
                if (index.data().toString() == name)
                    return index;
            }
            return QModelIndex();
        };
        list->setFocus();
        list->setCurrentIndex(rowNamed("笔记.txt"));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(openFile.size(), 1);
        QCOMPARE(openFile.first().first().toString(), material() + "/笔记.txt");
        list->setCurrentIndex(rowNamed("附件"));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(pane->shownFolder(), material() + "/附件");
        QTRY_COMPARE(shownNames(), QStringList({"说明.txt"}));

        click(OpenFolderInFileManager);
        QCOMPARE(opened, QList<QUrl>({QUrl::fromLocalFile(material() + "/附件")}));
    }

    void upGoesToTheParent() {
        pane->ShowFolder(material() + "/附件");
        click(FolderUp);
        QCOMPARE(pane->shownFolder(), material());
        QTRY_COMPARE(shownNames(), QStringList({"图片.png", "笔记.txt", "附件"}));
        pane->folderTree()->setFocus();
        QTest::keyClick(pane->folderTree(), Qt::Key_Backspace);
        QCOMPARE(pane->shownFolder(), path("base/01/01/01"));

        pane->ShowFolder("/");
        QVERIFY(!commands->action(FolderUp)->isEnabled());
    }

    void viewButtonCyclesTheModes() {
        pane->ShowFolder(material());
        QCOMPARE(checkedView(), ViewList);
        QVERIFY(!commands->action(ArrangeIcons)->isEnabled());

        // list -> details -> large icons -> small icons -> list
        const int expected[] = {ViewDetails, ViewLargeIcons, ViewSmallIcons, ViewList};
        const bool arrange[] = {false, true, true, false};
        for (int i = 0; i < 4; ++i) {
            click(NextFileView);
            QCOMPARE(checkedView(), expected[i]);
            QCOMPARE(commands->action(ArrangeIcons)->isEnabled(), arrange[i]);
            QCOMPARE(pane->detailsView()->isVisible(), expected[i] == ViewDetails);
            QTRY_COMPARE(shownNames(), QStringList({"图片.png", "笔记.txt", "附件"}));
        }
        QCOMPARE(pane->fileList()->viewMode(), QListView::ListMode);
        QCOMPARE(pane->fileList()->flow(), QListView::TopToBottom);

        // The menu sets a mode directly and checks it.
        commands->action(ViewLargeIcons)->trigger();
        QCOMPARE(checkedView(), ViewLargeIcons);
        QCOMPARE(pane->fileList()->viewMode(), QListView::IconMode);
        QCOMPARE(pane->detailsView()->model()->headerData(1, Qt::Horizontal).toString(),
                 QString("大小"));
    }

    void pastesCopiedAndCutFiles() {
        pane->ShowFolder(material());
        QTRY_COMPARE(shownNames(), QStringList({"图片.png", "笔记.txt", "附件"}));
        QSignalSpy finished(pane, &CFileBrowserPane::pasteFinished);
        QSignalSpy progressed(pane, &CFileBrowserPane::pasteProgressed);

        // Two copied in one file manager window...
        putOnClipboard("copy\n" + QUrl::fromLocalFile(path("desktop/笔记.txt")).toEncoded() + "\n" +
                       QUrl::fromLocalFile(path("desktop/清单.txt")).toEncoded());
        prompter.chooseNext("保留两者");
        pane->fileList()->setFocus();
        QTest::keyClick(pane->fileList(), Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked.first().text, QString("目标文件夹中已有文件 '笔记.txt'。"));
        QCOMPARE(finished.first().first().toString(), QString("粘贴完成: 复制 2 个文件"));

        // ...and one cut in another.
        putOnClipboard("cut\n" + QUrl::fromLocalFile(path("desktop/报告.doc")).toEncoded());
        click(PasteFiles);
        QTRY_COMPARE(finished.size(), 2);

        QTRY_COMPARE(shownNames(), QStringList({"图片.png", "报告.doc", "清单.txt", "笔记 (2).txt",
                                                "笔记.txt", "附件"}));
        QCOMPARE(readBytes(material() + "/笔记.txt"), QByteArray("原来的笔记"));
        QCOMPARE(readBytes(material() + "/笔记 (2).txt"), QByteArray("桌面上的笔记"));
        QCOMPARE(readBytes(material() + "/报告.doc"), QByteArray("报告"));
        QVERIFY(QFile::exists(path("desktop/报告.doc")));
        QCOMPARE(prompter.asked.size(), 1);
        QVERIFY(!progressed.isEmpty());
        QCOMPARE(progressed.last().first().toInt(), 100);
    }

    void closingMidPasteStopsIt() {
        pane->ShowFolder(material());
        putOnClipboard("copy\n" + QUrl::fromLocalFile(path("desktop/笔记.txt")).toEncoded());
        prompter.chooseNext("替换");
        commands->trigger(PasteFiles);
        QVERIFY(pane->isPasting());
        // The worker now waits for the question the window has not asked yet.
        window.reset();
        QCoreApplication::processEvents();
        QVERIFY(prompter.asked.isEmpty());
        QCOMPARE(readBytes(material() + "/笔记.txt"), QByteArray("原来的笔记"));
        QCOMPARE(QDir(material()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"图片.png", "笔记.txt"}));
    }

    void emptyClipboardPastesNothing() {
        pane->ShowFolder(material());
        QGuiApplication::clipboard()->setText("只是文字");
        QSignalSpy finished(pane, &CFileBrowserPane::pasteFinished);
        QVERIFY(commands->trigger(PasteFiles));
        QVERIFY(!pane->isPasting());
        QVERIFY(finished.isEmpty());
    }

    // In the main window the pane follows the material whose window is in
    // front; a window that shows no material leaves it where it was.
    void followsTheMaterialInFront() {
        WorkingWindow working;
        QVERIFY(working.setUp());
        CMainFrame& frame = *working.frame;
        MaterialListModel& list = frame.materials().list();
        QCOMPARE(list.rowCount(), 7);
        const auto folderOf = [&](const char* relative) {
            return QDir(working.home->path("kb/我的知识库/")).filePath(QString::fromUtf8(relative));
        };
        const auto shown = [&] { return QDir::cleanPath(frame.fileBrowser().shownFolder()); };

        QVERIFY(frame.openMaterial(list.materialAt(0))); // 快速上手, 01/01/01/1
        QMdiSubWindow* first = frame.documents().activeSubWindow();
        QTRY_COMPARE(shown(), folderOf("01/01/01/1"));
        QVERIFY(frame.openMaterial(list.materialAt(2))); // 资料文件存放在哪里, 01/01/02/3
        QTRY_COMPARE(shown(), folderOf("01/01/02/3"));
        frame.documents().setActiveSubWindow(first);
        QTRY_COMPARE(shown(), folderOf("01/01/01/1"));

        const QString loose = path("loose.txt");
        QVERIFY(writeBytes(loose, "not a material"));
        frame.openDocument(loose);
        QCOMPARE(frame.documents().activeDocument()->windowTitle(), QString("loose.txt"));
        QCOMPARE(shown(), folderOf("01/01/01/1"));
    }
};

QTEST_MAIN(TestFileBrowserPane)
#include "tst_filebrowserpane.moc"
