#include "LocalWebServer.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "app/CMainFrame.h"
#include "app/DescriptTypeSelector.h"
#include "app/DocumentArea.h"
#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "config/FirstRunSetup.h"
#include "config/Profile.h"
#include "dialogs/UpdateNoticeWindow.h"
#include "documents/DocumentWindow.h"
#include "materials/MaterialPanes.h"
#include "panes/CKnowledgeTreePane.h"
#include "store/CategoryTreeModel.h"
#include "web/UpdateProfile.h"

#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

namespace {

class FakeDocument : public DocumentWindow {
public:
    FakeDocument(Kind kind, const QString& title) : DocumentWindow(kind) { setWindowTitle(title); }
};

QStringList selectorItems(DescriptTypeSelector& selector) {
    QStringList items;
    for (int i = 0; i < selector.count(); ++i)
        items << selector.itemText(i);
    return items;
}

QStringList openTitles(DocumentArea& area) {
    QStringList titles;
    for (DocumentWindow* d : area.documentsFromActive())
        titles << d->windowTitle();
    titles.sort();
    return titles;
}

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

    QTemporaryDir m_profileDir;
    std::unique_ptr<Profile> m_profile;

private Q_SLOTS:
    void init() { m_profile = std::make_unique<Profile>(m_profileDir.filePath("p.conf")); }

    void startWithoutConfigurationShowsEmptyPanesAndNoBaseToAddTypesTo() {
        TestHome home;
        // No configuration in the home and none shipped: nothing to read.
        ProgramPaths paths(home.path(), home.path());
        ScriptedPrompter prompter;
        CMainFrame frame(paths, prompter, *m_profile);
        int setups = 0;
        QVERIFY(frame.OnCreate([&] {
            ++setups;
            return true;
        }));
        QCOMPARE(setups, 0);
        QVERIFY(prompter.shown.isEmpty());

        for (int id = 199; id <= 207; ++id) {
            QDockWidget* pane = frame.pane(id);
            QVERIFY2(pane && !pane->isHidden(), qPrintable(QString::number(id)));
        }
        DescriptTypeSelector& selector = frame.typeSelector();
        QCOMPARE(selectorItems(selector), QStringList({"NULL", "添加类型"}));
        Q_EMIT selector.activated(selector.findText("添加类型"));
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].text, QString("请选择知识库再添加!"));
        QCOMPARE(selector.currentIndex(), -1);
    }

    void cancelledFirstRunEndsStartUpAndWritesNothing() {
        TestHome home;
        ScriptedPrompter prompter;
        CMainFrame frame(home.paths(), prompter, *m_profile); // shipped file asks for the setup
        int setups = 0;
        QVERIFY(!frame.OnCreate([&] {
            ++setups;
            return false;
        }));
        QCOMPARE(setups, 1);
        QVERIFY(QDir(home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void firstStartShowsTheQuickStartNote() {
        TestHome home;
        QTemporaryDir target;
        ScriptedPrompter prompter;
        {
            CMainFrame frame(home.paths(), prompter, *m_profile);
            QVERIFY(frame.OnCreate([&] {
                return FirstRunSetup::complete(home.paths(), "我的知识库", target.path(), prompter);
            }));
            QVERIFY(prompter.shown.isEmpty());
            // 快速上手 (010101) is the first minor of the welcome tree.
            QCOMPARE(CategoryTreeModel::codeOf(frame.treePane().view()->currentIndex()),
                     QString("010101"));
            QCOMPARE(frame.materials().list().rowCount(), 2);
            QCOMPARE(openTitles(frame.documents()), QStringList({"快速上手"}));
            QCOMPARE(frame.materials().openMaterials().rowCount(), 1);
        }
        // Every later start lists the whole base (its seven welcome
        // materials) and opens nothing.
        CMainFrame frame(home.paths(), prompter, *m_profile);
        QVERIFY(frame.OnCreate([] { return false; }));
        QVERIFY(frame.workspace().currentBase().IsOpen());
        QCOMPARE(frame.materials().list().listCode(), QString("000000"));
        QCOMPARE(frame.materials().list().rowCount(), 7);
        QVERIFY(openTitles(frame.documents()).isEmpty());
    }

    void windowCommandsCloseByKind() {
        TestHome home;
        ScriptedPrompter prompter;
        CMainFrame frame(ProgramPaths(home.path(), home.path()), prompter, *m_profile);
        QVERIFY(frame.OnCreate([] { return true; }));
        CommandRegistry& commands = frame.commands();
        DocumentArea& area = frame.documents();

        // With no document the window commands do nothing.
        QVERIFY(!commands.trigger(CommandIds::CloseAllButActive));

        area.addDocument(new FakeDocument(DocumentWindow::Kind::Web, "web1"));
        // One window: keeping the current page closes nothing.
        QVERIFY(commands.trigger(CommandIds::CloseAllButActive));
        QCOMPARE(openTitles(area), QStringList({"web1"}));

        area.addDocument(new FakeDocument(DocumentWindow::Kind::Other, "rtf"));
        area.addDocument(new FakeDocument(DocumentWindow::Kind::Web, "web2"));
        area.addDocument(new FakeDocument(DocumentWindow::Kind::MaterialText, "txt1"));
        area.addDocument(new FakeDocument(DocumentWindow::Kind::MaterialText, "txt2"));
        // Active: a material text window; every other kind goes.
        QVERIFY(commands.trigger(CommandIds::CloseOtherKinds));
        QCOMPARE(openTitles(area), QStringList({"txt1", "txt2"}));

        area.addDocument(new FakeDocument(DocumentWindow::Kind::Web, "web3"));
        QVERIFY(commands.trigger(CommandIds::CloseNonWebWindows));
        QCOMPARE(openTitles(area), QStringList({"web3"}));

        area.addDocument(new FakeDocument(DocumentWindow::Kind::Other, "pic"));
        QVERIFY(commands.trigger(CommandIds::CloseActiveKind));
        QCOMPARE(openTitles(area), QStringList({"web3"}));

        QVERIFY(commands.trigger(CommandIds::CloseAllPages));
        QVERIFY(openTitles(area).isEmpty());
    }

    void textSizeIsKeptInTheProfileAtExit() {
        TestHome home;
        ScriptedPrompter prompter;
        {
            CMainFrame frame(ProgramPaths(home.path(), home.path()), prompter, *m_profile);
            QVERIFY(frame.OnCreate([] { return true; }));
            frame.setDefFontSize(4);
            frame.close();
        }
        Profile reread(m_profile->filePath());
        QCOMPARE(reread.intValue("Settings", "DefFontSize", 2), 4);
    }

    void updateNoticeOpensBesideTheWindow() {
        TestHome home;
        ScriptedPrompter prompter;
        LocalWebServer server;
        server.put("/NetUpload/UpdateInfo.txt",
                   "VERSION=1.3\r\nDOWNLOAD1=Site A|http://a.example/\r\n", "text/plain");
        UpdateProfile(*m_profile).setServer(QString("127.0.0.1:%1").arg(server.serverPort()));
        CMainFrame frame(ProgramPaths(home.path(), home.path()), prompter, *m_profile);
        QVERIFY(frame.OnCreate([] { return true; }));
        frame.show();
        frame.startUpdateCheck();
        // The server is served by this thread's event loop: had the check
        // blocked it, no answer could come.
        QTRY_VERIFY_WITH_TIMEOUT(frame.findChild<UpdateNoticeWindow*>(), 20000);
        auto* notice = frame.findChild<UpdateNoticeWindow*>();
        QCOMPARE(notice->messageLabel()->text(),
                 QString("官方已发布新版本 1.3,请通过以下链接进行更新..."));
        QCOMPARE(server.requests(), QStringList{"/NetUpload/UpdateInfo.txt"});
        QVERIFY(QFile::exists(home.path("UploadFile")));
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
