#include "FullDisk.h"
#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "config/LocalResourceInfo.h"
#include "config/ResourceConfig.h"
#include "config/TextCodec.h"

#include <QtTest>

namespace {

const QString kConfig = QStringLiteral("ResourceConfig/ResourceConfig.ini");

// Settings files as a Windows system left them: CR LF, code page 936.
void writeText(const TestHome& home, const QString& relative, QString text) {
    home.write(relative, TextCodec::encode(text.replace(QLatin1Char('\n'), QLatin1String("\r\n"))));
}

QString writeBase(const TestHome& home, const QString& relative, const QString& name,
                  const QString& folder) {
    writeText(home, relative,
              QStringLiteral("[LOCRESOURCESET]\nResourceName=%1|\nResourceFilePath=%2|\n")
                  .arg(name, folder));
    return home.path(relative);
}

ResourceConfigData load(const TestHome& home, int* firstRuns = nullptr) {
    ResourceConfigData config;
    LoadResourceConfig(config, home.path(kConfig), [&] { return firstRuns && ++*firstRuns; });
    return config;
}

} // namespace

class TestResourceConfig : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRunCheck() {
        const QList<QPair<QString, int>> cases = {{"SelfLocalKm=0|\n", 1},
                                                  {"SelfLocalKm=abc|\n", 1},
                                                  {"SelfLocalKm=1|\n", 0},
                                                  {"SelfLocalKm=0|\nSelfLocalKm=0|\n", 0}};
        for (const auto& [lines, runs] : cases) {
            TestHome home;
            writeText(home, kConfig, "[LOADRESOURCEFAT]\n" + lines);
            int counted = 0;
            load(home, &counted);
            QVERIFY2(counted == runs, qPrintable(lines));
            ResourceConfigData config;
            QCOMPARE(LoadResourceConfig(config, home.path(kConfig), [] { return false; }),
                     runs == 0);
        }
    }

    void loading() {
        TestHome home;
        const QString dir = home.path("a/");
        writeBase(home, "a/good.ini", "好", "  D:\\kb\\good  ");
        writeBase(home, "a/x.txt", "txt", "/x");
        writeBase(home, "a/x.INI", "upper", "/x");
        writeBase(home, "a/noname.ini", "", "/x");
        writeText(home, "a/firsts.ini",
                  "[LOCRESOURCESET]\nResourceName=\nResourceName=second|\nResourceName=third|\n"
                  "ResourceFilePath=/f|\n");
        writeText(home, kConfig,
                  QStringLiteral("[LOCALRESOURCE]\nLocalResourceInfo= 5 | %1good.ini |\n"
                                 "LocalResourceInfo=0|%1good.ini|\nLocalResourceInfo=6|%1x.txt|\n"
                                 "LocalResourceInfo=7|%1x.INI|\nLocalResourceInfo=8|.ini|\n"
                                 "LocalResourceInfo=9|%1missing.ini|\n"
                                 "LocalResourceInfo=10|%1noname.ini|\n"
                                 "LocalResourceInfo=11|%1firsts.ini|\n"
                                 "[DescriptFile]\nDescriptFileInfo=\nDescriptFileInfo=3x|y|\n"
                                 "[SearchResourceFileGroup]\nSearchResourceFileGroupInfo=1|组|\n"
                                 "[UserSystemSet]\nStartResourceID=2|\nStartResourceID=-1|\n"
                                 "StartResourceID=\n")
                      .arg(dir));
        const ResourceConfigData config = load(home);
        // A base whose ini file is missing or names no base stays registered,
        // marked unavailable; only records that name no ini file go.
        QCOMPARE(config.LocalResources.size(), 4);
        QCOMPARE(config.LocalResources[0].ID, 5);
        QCOMPARE(config.LocalResources[0].IniPath, dir + "good.ini");
        QCOMPARE(config.LocalResources[0].ResourceFilePath, QStringLiteral("D:/kb/good"));
        QCOMPARE(config.LocalResources[0].Unavailable, QString());
        QCOMPARE(config.LocalResources[1].ID, 9);
        QCOMPARE(config.LocalResources[1].Unavailable, "找不到文件 '" + dir + "missing.ini'");
        QCOMPARE(config.LocalResources[2].ID, 10);
        QCOMPARE(config.LocalResources[2].Unavailable,
                 "文件 '" + dir + "noname.ini' 中没有知识库名称");
        QCOMPARE(config.LocalResources[3].ResourceName, QStringLiteral("second"));
        QCOMPARE(config.HighestResourceID, 11);
        QCOMPARE(config.DescriptFiles.size(), 1);
        QCOMPARE(config.DescriptFiles[0].TypeID, 3);
        QCOMPARE(config.SearchGroups[0].Name, QStringLiteral("组"));
        QCOMPARE(config.StartResourceID, -1); // the last value wins; a blank one is none
        QCOMPARE(config.IsStartLoggResource, 0);
    }

    void cleaning() {
        ResourceConfigData c;
        c.LocalResources = {{1, "", "/a.ini", "", "", ""}, {3, "", "/b.ini", "", "", ""},
                            {3, "", "/c.ini", "", "", ""}, {4, "", "/b.ini", "", "", ""},
                            {0, "", "/z.ini", "", "", ""}, {7, "", "/z.ini", "", "", ""}};
        c.DescriptAllFiles = {{1, "*.rtf"}, {2, "*.txt"}, {2, "*.xml"}, {5, "*.rtf"}, {0, "*.c"}};
        c.DescriptFiles = {{1, 1}, {2, 9}, {2, 3}, {5, 1}};
        c.SearchGroups = {{1, "g"}, {1, "h"}};
        c.SearchAllFiles = {{1, "*.txt"}, {1, "*.ini"}};
        c.SearchFiles = {{1, 7}, {2, 1}};
        NormaliseResourceConfig(c);
        // A record dropped itself still counts as earlier ("/z.ini" is taken).
        QCOMPARE(c.LocalResources.size(), 2);
        QCOMPARE(c.DescriptAllFiles.size(), 2);
        QCOMPARE(c.DescriptFiles.size(), 2);
        QCOMPARE(c.DescriptFiles[1].BaseID, 3);
        QCOMPARE(c.SearchGroups.size(), 1);
        QCOMPARE(c.SearchAllFiles.size(), 2); // two search types are never compared
        QCOMPARE(c.SearchFiles.size(), 1);    // their group is not checked
        c.SearchAllFiles.append({1, "*.xml"});
        NormaliseResourceConfig(c);
        QCOMPARE(c.SearchAllFiles.size(), 1);
    }

    void saving() {
        TestHome home;
        ResourceConfigData config;
        config.LocalResources = {{1, "库", writeBase(home, "库.ini", "库", "/b"), "/b", "", ""}};
        config.DescriptAllFiles = {{1, "*.rtf"}};
        config.DescriptFiles = {{1, 1}};
        config.SearchGroups = {{1, "搜索文件"}};
        ScriptedPrompter prompter;
        QVERIFY(SaveResourceConfig(config, home.paths(), prompter));
        QCOMPARE(
            home.read(kConfig),
            "[LOADRESOURCEFAT]\r\nSelfLocalKm=1|\r\n[LOCALRESOURCE]\r\nLocalResourceInfo=1|" +
                TextCodec::encode(home.path("库.ini")) +
                "|\r\n[DescriptFile]\r\nDescriptFileInfo=1|1|\r\n[DescriptAllFile]\r\n"
                "DescriptAllFileInfo=1|*.rtf|\r\n[SearchResourceFileGroup]\r\n"
                "SearchResourceFileGroupInfo=1|\xcb\xd1\xcb\xf7\xce\xc4\xbc\xfe|\r\n"
                "[SearchResourceFile]\r\n[SearchAllResourceFile]\r\n[UserSystemSet]\r\n"
                "IsStartLoggResource=0|\r\nStartResourceID=-1|\r\nSearchFileTypeGroupID=0|\r\n");
        QCOMPARE(ResourceConfigText(load(home)), ResourceConfigText(config));
        QVERIFY(prompter.shown.isEmpty());
    }

    void saveFailures() {
        TestHome home;
        writeText(home, kConfig, "[UserSystemSet]\nStartResourceID=4|\n");
        const QByteArray old = home.read(kConfig);
        ResourceConfigData big;
        for (int i = 1; i <= 50; ++i)
            big.DescriptAllFiles.append({i, "*.ext"});
        ScriptedPrompter prompter;
        QVERIFY(
            !withFullDisk(100, [&] { return SaveResourceConfig(big, home.paths(), prompter); }));
        QCOMPARE(prompter.shown.last().caption, QStringLiteral("错误"));
        QCOMPARE(prompter.lastText(), QStringLiteral("无法写入文件 '%1'，所做的更改没有保存!")
                                          .arg(home.paths().mainConfigFile()));
        QCOMPARE(home.read(kConfig), old);

        TestHome blocked;
        blocked.write("ResourceConfig", "a file where the folder belongs");
        QVERIFY(!SaveResourceConfig(big, blocked.paths(), prompter));
        QCOMPARE(prompter.shown.last().caption, QStringLiteral("提示"));
        QCOMPARE(prompter.lastText(),
                 QStringLiteral("创建 '%1' 文件夹出错,请手动创建该文件夹，并设置为可写状态!")
                     .arg(blocked.paths().configFolder()));
    }

    void addTypeFromToolbar() {
        TestHome home;
        ResourceConfigData config;
        config.LocalResources = {{1, "一", writeBase(home, "1/一.ini", "一", "/1"), "/1", "", ""},
                                 {2, "二", writeBase(home, "2/二.ini", "二", "/2"), "/2", "", ""}};
        config.DescriptAllFiles = {{1, "*.rtf"}, {4, "*.txt"}};
        config.DescriptFiles = {{1, 1}};
        ScriptedPrompter saver;
        QVERIFY(SaveResourceConfig(config, home.paths(), saver));
        const QByteArray before = home.read(kConfig);
        const auto updaterWith = [&](ScriptedPrompter& prompter) {
            return [&](const ResourceConfigChange& change) {
                return UpdateResourceConfig(home.paths(), prompter, change, config);
            };
        };
        const QList<std::tuple<int, std::optional<QString>, QString>> refused = {
            {-1, "*.c", "请选择知识库再添加!"},
            {1, std::nullopt, ""},
            {1, "  ", "新类型不能为空!"},
            {1, "rtf", "新类型名的头两个字符必须是 '*.' !"},
            {1, " *.rtf ", "该类型已经存在,不能再添加了!"}};
        for (const auto& [base, typed, message] : refused) {
            ScriptedPrompter prompter;
            prompter.typeNext(typed);
            QVERIFY(!AddDescriptTypeFromToolbar(base, updaterWith(prompter), prompter));
            QCOMPARE(prompter.lastText(), message);
            QCOMPARE(home.read(kConfig), before);
        }

        // A known type is only offered; a new one gets the highest id + 1 and
        // loses the "|" that would split its record.
        ScriptedPrompter prompter;
        prompter.typeNext(QStringLiteral("*.txt"));
        prompter.typeNext(QStringLiteral("*.c|pp"));
        QVERIFY(AddDescriptTypeFromToolbar(2, updaterWith(prompter), prompter));
        QVERIFY(AddDescriptTypeFromToolbar(2, updaterWith(prompter), prompter));
        QCOMPARE(prompter.askedTitles, QStringList({"添加类型", "添加类型"}));
        QCOMPARE(config.DescriptAllFiles.size(), 3);
        QCOMPARE(DescriptTypeSelectorItems(config, 2),
                 QStringList({"*.txt", "*.cpp", "NULL", "添加类型"}));
        QVERIFY(home.read(kConfig).contains("DescriptAllFileInfo=5|*.cpp|\r\n"));
        QVERIFY(home.read(kConfig).contains("DescriptFileInfo=5|2|\r\n"));
    }

    void localResourceInfo() {
        TestHome home;
        writeText(home, "kb/b.ini",
                  "[LOCRESOURCESET]\nResourceName=旧|\nResourceName=新|\n"
                  "ResourceFilePath=/old|\nResourceFilePath= D:\\kb\\new |\n");
        ResourceConfigData config;
        config.LocalResources = {{3, "", home.path("kb/b.ini"), "", "", ""},
                                 {4, "", "x.ini", "", "", ""}};
        const LocalResourceInfo info = GetLocalResourceInfo(config, 3);
        QCOMPARE(info.iniFolder, home.path("kb/"));
        QCOMPARE(info.storageFolder, QStringLiteral("D:/kb/new")); // the last value wins
        QCOMPARE(info.name, QStringLiteral("新"));
        QVERIFY(GetLocalResourceInfo(config, 4).iniFolder.isEmpty()); // no folder in the path
        QVERIFY(GetLocalResourceInfo(config, 9).name.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestResourceConfig)
#include "tst_resourceconfig.moc"
