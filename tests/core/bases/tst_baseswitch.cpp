#include "BasesTestSupport.h"
#include "ModelCheck.h"
#include "OpenBaseFollowers.h"
#include "store/CategoryTreeModel.h"
#include "store/MaterialClipboard.h"
#include "store/RecycleBinModel.h"
#include "store/TreeService.h"

class TestBaseSwitch : public QObject {
    Q_OBJECT

    BasesHome h;
    MaterialClipboard clipboard;
    TreeService service{h.workspace.store(), h.workspace.currentBase(), h.prompter, clipboard};
    CategoryTreeModel tree{service};
    RecycleBinModel bin{h.workspace.store(), h.workspace.currentBase(), h.prompter, service};

    bool followed = [this] {
        OpenBaseFollowers::follow(h.workspace, tree, bin, nullptr);
        return true;
    }();

    QStringList roots() const {
        QStringList names;
        for (int r = 0; r < tree.rowCount(); ++r)
            names << tree.index(r, 0).data(CategoryTreeModel::NameRole).toString();
        return names;
    }

private Q_SLOTS:
    // Bases "一" and "二", each with a root of its own; "一" open and shown.
    void initTestCase() {
        checkModel(&tree);
        checkModel(&bin);
        for (const char* name : {"一", "二"}) {
            QVERIFY(h.workspace.OpenBase(h.createBase(name, name)));
            QVERIFY(h.workspace.store().InsertItem(QString("根") + name, "010000"));
        }
        QVERIFY(h.workspace.store().InsertItem("删", "020000"));
        QVERIFY(h.workspace.store().SetItemFlag("020000", "EOS"));
        QVERIFY(h.workspace.OpenBase(1));
        QCOMPARE(roots(), QStringList{"根一"});
    }

    void switchingOpensAndRefills() {
        QSignalSpy closed(&h.workspace, &Workspace::baseClosed);
        QSignalSpy opened(&h.workspace, &Workspace::baseOpened);
        QCOMPARE(h.workspace.SwitchBase("二 [2]").outcome(), BaseSwitch::Outcome::Opened);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(roots(), QStringList{"根二"});
        QCOMPARE(bin.rowCount(), 1);
        QCOMPARE(h.workspace.currentBase().ReconnectPath, h.home.path("二/Keepsake.mdb"));
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void pickingTheOpenBaseAsksToReload() {
        h.prompter.answerNext(Prompter::Answer::Cancel);
        const BaseSwitch cancelled = h.workspace.SwitchBase("二 [2]");
        QCOMPARE(h.prompter.lastText(), QStringLiteral("要刷新当前知识库吗?"));
        QCOMPARE(cancelled.outcome(), BaseSwitch::Outcome::Cancelled);
        QCOMPARE(roots(), QStringList{"根二"});
        QVERIFY(h.workspace.database().IsOpen());
        QCOMPARE(h.workspace.SwitchBase("二 [2]").outcome(), BaseSwitch::Outcome::Opened);
    }

    void aFailedSwitchLeavesNoBaseOpen() {
        QVERIFY(QFile::remove(h.home.path("一/Keepsake.mdb")));
        const BaseSwitch result = h.workspace.SwitchBase("一 [1]");
        QCOMPARE(result.outcome(), BaseSwitch::Outcome::NotOpened);
        QCOMPARE(h.prompter.lastText(),
                 QString("本地数据库 '%1' 连接失败!").arg(h.home.path("一/Keepsake.mdb")));
        QVERIFY(roots().isEmpty() && bin.rowCount() == 0);
        QVERIFY(!h.workspace.currentBase().IsOpen());
        QVERIFY(!h.workspace.database().IsOpen());
        QVERIFY(!QFileInfo::exists(h.home.path("一/Keepsake.mdb")));

        // A base whose ini file names no storage folder.
        h.home.write("二/二.ini", "[LOCRESOURCESET]\r\nResourceName=x|\r\nResourceFilePath=|\r\n");
        QCOMPARE(h.workspace.SwitchBase("二 [2]").outcome(), BaseSwitch::Outcome::NotOpened);
        QCOMPARE(h.prompter.lastText(), QStringLiteral("该知识库知识库文件存放目录为空!"));
    }
};

QTEST_GUILESS_MAIN(TestBaseSwitch)
#include "tst_baseswitch.moc"
