#include "BasesTestSupport.h"
#include "config/TextCodec.h"
#include "workspace/SystemSettingsSheet.h"

class TestSystemSettings : public QObject {
    Q_OBJECT

    // Bases 1 "一", 2 "二" and 3 "三", base 1 open and the start base; the
    // type *.rtf offered by bases 1 and 2, *.txt by none.
    void threeBases(BasesHome& h) {
        for (const char* name : {"一", "二", "三"})
            h.createBase(name, name);
        ResourceConfigData& config = h.workspace.config();
        config.DescriptAllFiles = {{1, "*.rtf"}, {2, "*.txt"}};
        config.DescriptFiles = {{1, 1}, {1, 2}};
        config.IsStartLoggResource = 1;
        config.StartResourceID = 1;
        QVERIFY(h.workspace.OpenBase(1));
        h.workspace.changeFlags() = {};
    }
    void writeIni(BasesHome& h, const QString& relative, const QString& name) {
        h.home.write(relative, TextCodec::encode("[LOCRESOURCESET]\r\nResourceName=" + name +
                                                 "|\r\nResourceFilePath=/f|\r\n"));
    }

private Q_SLOTS:
    void modifyMovesTheEntryToTheEnd() {
        BasesHome h;
        threeBases(h);
        SystemSettingsSheet sheet(h.workspace);
        writeIni(h, "二/二.ini", "乙");
        const std::optional<BaseSwitch> result = sheet.bases().Modify(1, h.home.path("二/二.ini"));
        QCOMPARE(result->outcome(), BaseSwitch::Outcome::Opened);
        QCOMPARE(h.workspace.baseSelector().entries(), QStringList({"一 [1]", "三 [3]", "乙 [2]"}));
        QCOMPARE(sheet.bases().rowTexts(1),
                 QStringList({"乙", h.home.path("二/二.ini"), "/f", "2", ""}));
        QCOMPARE(h.workspace.currentBase().ID, 2);

        // The start-base list of the other page follows at its next drop-down.
        QVERIFY(sheet.userInfo().refreshBaseEntries());
        QCOMPARE(sheet.userInfo().baseEntries()[1], QStringLiteral("乙 [2]"));
        QVERIFY(!sheet.userInfo().refreshBaseEntries());

        // Another row's ini file, or one the next start would not read, is refused.
        QVERIFY(!sheet.bases().Modify(0, h.home.path("三/三.ini")));
        QCOMPARE(h.prompter.lastText(), QStringLiteral("该知识库已经存在，修改错误!"));
        writeIni(h, "x/upper.INI", "大写");
        QVERIFY(!sheet.bases().Add(h.home.path("x/upper.INI")));
        QCOMPARE(h.prompter.lastText(), QStringLiteral("本地知识库配置文件出错!"));
        QCOMPARE(sheet.bases().rowCount(), 3);
    }

    void deletingTheOpenBaseKeepsItsConnection() {
        BasesHome h;
        threeBases(h);
        SystemSettingsSheet sheet(h.workspace);
        const std::optional<LocalBaseList::Deletion> deleted = sheet.bases().Delete(0);
        QCOMPARE(h.prompter.shown.last().caption, QStringLiteral("删除知识库配置"));
        QVERIFY(deleted && deleted->baseId == 1 && deleted->wasOpen);
        QCOMPARE(h.workspace.config().DescriptFiles.size(), 1);
        QCOMPARE(h.workspace.baseSelector().entries(), QStringList({"二 [2]", "三 [3]"}));
        QVERIFY(h.workspace.database().IsOpen());
        QVERIFY(QFileInfo::exists(h.home.path("一/一.ini")));
    }

    void typeChecklist() {
        BasesHome h;
        threeBases(h);
        SystemSettingsSheet sheet(h.workspace);
        DescriptTypeChecklist& types = sheet.types();
        QVERIFY(types.Add("HTML"));

        // Modify keeps the id and the marks and moves the type to the end;
        // the "*." rule is Add's only.
        types.select(0);
        QVERIFY(types.Modify("rtf"));
        QCOMPARE(types.patterns(), QStringList({"*.txt", "HTML", "rtf"}));
        QVERIFY(types.isChecked(2, 2) && !types.isChecked(2, 3));
        QCOMPARE(h.workspace.config().DescriptAllFiles.first().Pattern, QStringLiteral("rtf"));
        QCOMPARE(h.workspace.typeSelectorItems(), QStringList({"rtf", "NULL", "添加类型"}));

        QVERIFY(!types.Delete());
        QCOMPARE(h.prompter.lastText(), QStringLiteral("该类型正在被使用，删除失败!"));
        QVERIFY(!types.setChecked(1, -1, true)); // no base selected in the list
    }

    void closingSavesWhicheverWay() {
        BasesHome h;
        threeBases(h);
        const QString file = QStringLiteral("ResourceConfig/ResourceConfig.ini");
        {
            // Cancel: the GUI closes the sheet just the same.
            SystemSettingsSheet sheet(h.workspace);
            sheet.types().select(1);
            QVERIFY(sheet.types().Delete());
            sheet.userInfo().setStartsWithBase(false);
            sheet.userInfo().chooseStartBase("二 [2]"); // ignored while the box is off
            QVERIFY(sheet.close());
        }
        QByteArray text = h.home.read(file);
        QVERIFY(text.contains("IsStartLoggResource=0|\r\nStartResourceID=1|\r\n"));
        QVERIFY(!text.contains("*.txt"));
        {
            // A sheet that goes away without being closed still saves.
            SystemSettingsSheet sheet(h.workspace);
            QVERIFY(sheet.bases().Delete(2));
        }
        QVERIFY(!h.home.read(file).contains("LocalResourceInfo=3|"));
    }
};

QTEST_GUILESS_MAIN(TestSystemSettings)
#include "tst_systemsettings.moc"
