#include "ModelCheck.h"
#include "TestBase.h"
#include "TestHome.h"
#include "TimeText.h"
#include "config/TextCodec.h"
#include "materials/MaterialPanes.h"
#include "store/MaterialClipboard.h"

#include <QDir>
#include <QtTest>

class TestDockStation : public QObject {
    Q_OBJECT

    std::unique_ptr<TestBase> t;
    std::unique_ptr<TestHome> home;
    MaterialClipboard clipboard;
    std::unique_ptr<MaterialPanes> panes;
    MaterialService* service = nullptr;
    DockStationModel* dock = nullptr;

    MaterialRecord material(const QString& id, const QString& baseId = "1") {
        return MaterialRecord::FromFields(
            {id, "资料" + id, "测试库\\根\\大\\小", "010101", "0", "资料" + id + ".rtf",
             "01/01/01/" + id + "/", "2009-03-01 08:00:00", "", "", baseId, t->base.FilesRoot});
    }
    QString fileText() {
        return TextCodec::decode(home->read("ResourceConfig/NotePaperConfig.ini"));
    }
    // The station as the next run finds it.
    std::unique_ptr<MaterialPanes> restarted() {
        auto again = std::make_unique<MaterialPanes>(t->store, t->base, t->prompter, home->paths(),
                                                     clipboard);
        checkModel(&again->dock());
        again->service().loadDockStation();
        return again;
    }
    void setNow(const QString& time) {
        TimeText::setClock([time] { return QDateTime::fromString(time, TimeText::kFormat); });
    }

private Q_SLOTS:
    void init() {
        t = std::make_unique<TestBase>();
        home = std::make_unique<TestHome>();
        panes = std::make_unique<MaterialPanes>(t->store, t->base, t->prompter, home->paths(),
                                                clipboard);
        service = &panes->service();
        dock = &panes->dock();
        checkModel(dock);
        service->loadDockStation();
    }
    void cleanup() {
        panes.reset();
        t.reset();
    }

    void dockingTwiceLeavesOneRow() {
        QVERIFY(service->dock(material("1"), false));
        setNow("2009-03-09 10:00:00");
        QVERIFY(service->dock(material("1"), true));
        QCOMPARE(dock->rowCount(), 1);
        QCOMPARE(dock->dockTimeAt(0), QString("2009-03-07 14:05:09"));
        QVERIFY(!dock->index(0, 0).data(DockStationModel::OpenWhenDockedRole).toBool());
        QVERIFY(service->dock(material("1", "2"), false)); // the same id in another base
        QCOMPARE(dock->rowCount(), 2);
    }

    void theSameRowsAfterARestart() {
        MaterialRecord second = material("2");
        second.Creator = "我";
        second.NetworkMark = "5";
        QVERIFY(service->dock(material("1"), true));
        setNow("2009-03-08 09:00:00");
        QVERIFY(service->dock(second, false));
        const QString root = t->base.FilesRoot;
        QCOMPARE(home->read("ResourceConfig/NotePaperConfig.ini"),
                 TextCodec::encode(
                     "[GOTOMINUITEM]\r\n"
                     "GotoMinuItemData=1|资料1|测试库\\根\\大\\小|010101|0|资料1.rtf|01/01/01/1/|"
                     "2009-03-01 08:00:00||0|1|2009-03-07 14:05:09|" +
                     root +
                     "|\r\n"
                     "GotoMinuItemData=2|资料2|测试库\\根\\大\\小|010101|0|资料2.rtf|01/01/01/2/|"
                     "2009-03-01 08:00:00|我|0|1|2009-03-08 09:00:00|" +
                     root + "|\r\n"));

        const auto next = restarted();
        const DockStationModel& again = next->dock();
        QCOMPARE(again.entries(), dock->entries());
        QCOMPARE(again.materialAt(1).NetworkMark, QString("0"));
        QCOMPARE(again.materialAt(1).Creator, QString("我"));
        QCOMPARE(again.data(again.index(1, DockStationModel::DockTimeColumn)).toString(),
                 QString("2009-03-08 09:00:00"));
    }

    void barsAndLineBreaksNeverReachTheFile() {
        MaterialRecord m = material("1");
        m.MinuItemName = "a|b\r\nc";
        m.DisplayPath = "库\\根|\\大\\小";
        QVERIFY(service->dock(m, false));
        const QStringList lines = fileText().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1].count('|'), 13);
        const auto again = restarted();
        QCOMPARE(again->dock().materialAt(0).MinuItemName, QString("a b  c"));
        QCOMPARE(again->dock().materialAt(0).KnowledgeBaseID, QString("1"));
    }

    void extraAndMissingFields() {
        home->write("ResourceConfig/NotePaperConfig.ini",
                    TextCodec::encode(QStringLiteral(
                        "[GOTOMINUITEM]\r\n"
                        "GotoMinuItemData=1|名|p|010101|0|f|01/01/01/1/|t|c|7|1|d|/r/"
                        "|extra|more|\r\n"
                        "GotoMinuItemData=2|短\r\n"
                        "GotoMinuItemData=\r\n")));
        service->loadDockStation();
        QCOMPARE(dock->rowCount(), 2);
        QCOMPARE(dock->entryAt(0).Fields(),
                 QStringList({"1", "名", "p", "010101", "0", "f", "01/01/01/1/", "t", "c", "0", "1",
                              "d", "/r/"}));
        QCOMPARE(dock->entryAt(1).Fields(),
                 QStringList({"2", "短", "", "", "", "", "", "", "", "0", "", "", ""}));
    }

    void openingADockedMaterial() {
        QVERIFY(service->dock(material("1", "2"), false));
        QVERIFY(service->dock(material("2"), false));
        QCOMPARE(dock->decideOpen(0, false), DockStationModel::OpenAction::Refused);
        QCOMPARE(t->prompter.lastText(), QString("该资料不属于当前本地知识库，打开失败!"));
        QCOMPARE(dock->decideOpen(1, false), DockStationModel::OpenAction::Open);

        // Open in a window, but its folder is gone.
        QCOMPARE(dock->decideOpen(1, true), DockStationModel::OpenAction::Activate);
        QCOMPARE(t->prompter.lastText(), QString("该资料的文件目录已经失效，打开失败!"));

        QVERIFY(service->undockUnopenable(dock->materialAt(1)));
        QCOMPARE(t->prompter.lastText(), QString("该资料由于资料路径问题而不能正常打开!"));
        QCOMPARE(dock->rowCount(), 1);
        QCOMPARE(restarted()->dock().rowCount(), 1);
    }

    void aFileThatCannotBeWrittenIsReported() {
        home->write("ResourceConfig", "a file where the folder goes");
        QVERIFY(!service->dock(material("1"), false));
        QCOMPARE(t->prompter.shown.size(), 1);
        QCOMPARE(t->prompter.shown[0].caption, QString("提示"));
        QCOMPARE(t->prompter.shown[0].text, "创建" + home->paths().configFolder() + "文件夹出错");
        QCOMPARE(dock->rowCount(), 1); // the station keeps it for this run
    }

    void changesMadeElsewhere() {
        QVERIFY(service->dock(material("1"), false));
        QVERIFY(service->dock(material("2"), false));
        QVERIFY(service->dock(material("3", "2"), false));
        const QString written = fileText();

        MaterialRecord renamed = material("1");
        renamed.MinuItemName = "新名";
        dock->updateMaterial(renamed);
        QCOMPARE(dock->materialAt(0).MinuItemName, QString("新名"));
        QCOMPARE(fileText(), written); // the file keeps the name as docked

        QVERIFY(service->undock(material("2")));
        QVERIFY(service->undockBase(2));
        QCOMPARE(dock->rowCount(), 1);
        QCOMPARE(restarted()->dock().entries(), dock->entries());
    }

    void openMaterialsFollowTheirWindows() {
        OpenMaterialsModel open(t->store, t->base, t->prompter, clipboard);
        checkModel(&open);
        open.opened(material("1"));
        open.opened(material("1"));
        open.opened(material("1", "2"));
        QCOMPARE(open.rowCount(), 2);
        QVERIFY(open.isOpen("1", "2"));
        open.closed(material("1"));
        QCOMPARE(open.rowCount(), 1);
        QVERIFY(!open.isOpen("1", "1"));
        QVERIFY(open.cut(0));
        QCOMPARE(clipboard.material()->KnowledgeBaseID, QString("2"));
    }
};

QTEST_GUILESS_MAIN(TestDockStation)
#include "tst_dockstation.moc"
