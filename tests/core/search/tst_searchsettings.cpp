#include "ScriptedPrompter.h"
#include "TestHome.h"
#include "config/ResourceConfig.h"
#include "search/SearchFileTypePage.h"
#include "search/SearchFileTypes.h"
#include "search/SearchSettings.h"

#include <QDir>
#include <QtTest>

// The search dialog's settings file, and the file-type groups of the main
// configuration as the file search offers them and the settings page edits
// them.
class TestSearchSettings : public QObject {
    Q_OBJECT

    // The groups and types the first run writes.
    static ResourceConfigData firstRun() {
        ResourceConfigData c;
        c.SearchGroups = {{1, "搜索文件"}};
        c.SearchFiles = {{1, 1}, {2, 1}, {3, 1}};
        c.SearchAllFiles = {{1, "*.txt"}, {2, "*.ini"}, {3, "*.xml"}};
        c.SearchFileTypeGroupID = 0;
        return c;
    }
    static SearchSettings loadText(const TestHome& home, const QByteArray& text) {
        home.write("ResourceConfig/SearchConfig.ini", text);
        return SearchSettings::Load(home.paths().searchConfigFile());
    }

private Q_SLOTS:
    void settingsRoundTrip() {
        TestHome home;
        ScriptedPrompter prompter;
        QCOMPARE(SearchSettings::Load(home.paths().searchConfigFile()), SearchSettings());
        SearchSettings s;
        s.SearchFromNameFlag = 0;
        s.SearchFromFileFlag = 1;
        s.ShowResult1 = 0;
        s.ShowResult2 = 1;
        s.FileHideFlag = 1;
        QVERIFY(s.Save(home.paths(), prompter));
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(home.read("ResourceConfig/SearchConfig.ini"),
                 QByteArray("[SEARCHSETTING]\r\nSearchFromNameFlag=0|\r\nSearchFromContentFlag=0|"
                            "\r\nSearchFromFileFlag=1|\r\nOnlyShowFolderFlag=0|\r\n"
                            "SearchFromTimeFlag=0|\r\nShowResult1=0|\r\nShowResult2=1|\r\n"
                            "UpperLowerFlag=0|\r\nWildCardFlag=0|\r\nAllFixFlag=0|\r\n"
                            "FileHideFlag=1|\r\n"));
        QCOMPARE(SearchSettings::Load(home.paths().searchConfigFile()), s);
    }

    void aFlagIsOnAboveZero() {
        TestHome home;
        // The name flag is on by default; a repeated key keeps the default.
        const auto nameFlag = [&home](const QByteArray& lines) {
            return loadText(home, "[SEARCHSETTING]\r\n" + lines).SearchFromNameFlag;
        };
        QCOMPARE(nameFlag("SearchFromNameFlag=2|\r\n"), 1);
        QCOMPARE(nameFlag("SearchFromNameFlag=-1|\r\n"), 0);
        QCOMPARE(nameFlag("SearchFromNameFlag=0|\r\nSearchFromNameFlag=0|\r\n"), 1);
        QCOMPARE(loadText(home, "[SEARCHSETTING]\r\nAllFixFlag=1|\r\n").AllFixFlag, 1);
        QCOMPARE(loadText(home, "[OTHER]\r\nShowResult1=0|\r\n").ShowResult1, 1);
    }

    void aFailedSaveNamesWhatFailed() {
        TestHome home;
        ScriptedPrompter prompter;
        home.write("ResourceConfig", "a file where the folder should be");
        QVERIFY(!SearchSettings().Save(home.paths(), prompter));
        QCOMPARE(prompter.shown.value(0).caption, QString("错误"));
        QCOMPARE(prompter.lastText(),
                 QString("创建%1文件夹出错,请手动创建该文件夹，并设置为可写状态!")
                     .arg(home.paths().configFolder()));

        TestHome other;
        QVERIFY(QDir().mkpath(other.paths().searchConfigFile())); // a folder in its place
        QVERIFY(!SearchSettings().Save(other.paths(), prompter));
        QCOMPARE(prompter.lastText(), QString("无法写入文件 '%1'，所做的更改没有保存!")
                                          .arg(other.paths().searchConfigFile()));
    }

    void groupsGiveTheirPatternLists() {
        ResourceConfigData c = firstRun();
        // No group has the id 0: the first group is preselected.
        SearchFileTypes::TypeBox box = SearchFileTypes::FillFileTypeBox(c);
        QCOMPARE(box.entries, QStringList({"*.txt;*.ini;*.xml"}));
        QCOMPARE(box.selected, 0);

        c.SearchGroups.append({2, "空组"});
        c.SearchGroups.append({3, "文本"});
        c.SearchFiles.append({3, 3});
        c.SearchFiles.append({9, 3}); // a type without a pattern
        c.SearchFiles.append({1, 3});
        c.SearchFileTypeGroupID = 3;
        box = SearchFileTypes::FillFileTypeBox(c);
        QCOMPARE(box.entries, QStringList({"*.txt;*.ini;*.xml", "", "*.xml;*.txt"}));
        QCOMPARE(box.selected, 2);
        QCOMPARE(SearchFileTypes::DefaultPatternList(c), QString("*.xml;*.txt"));
        QCOMPARE(SearchFileTypes::DefaultPatternList(ResourceConfigData()), QString());
    }

    void groupEdits() {
        ResourceConfigData c = firstRun();
        ScriptedPrompter prompter;
        SearchFileTypePage page(c, prompter);
        QVERIFY(!page.GroupButtonsEnabled());

        prompter.typeNext(QString(" 搜索文件 "));
        QVERIFY(!page.AddGroup());
        QCOMPARE(prompter.shown.last().caption, QString("提示"));
        QCOMPARE(prompter.lastText(), QString("查询文件类型组名重复，请重新添加!"));
        QVERIFY(!page.ConfigChanged());

        prompter.typeNext(QString("Docs|\n"));
        QVERIFY(page.AddGroup());
        QCOMPARE(page.GroupNames(), QStringList({"搜索文件", "Docs"})); // appended, not sorted
        QCOMPARE(page.SelectedGroup(), 1);
        QCOMPARE(c.SearchGroups.last().GroupID, 2);
        QVERIFY(page.SearchGroupsChanged());
        prompter.typeNext(QString("docs"));
        QVERIFY(page.AddGroup()); // case counts

        page.SelectGroup(1);
        prompter.typeNext(QString("docs"));
        QVERIFY(!page.ModifyGroup());
        QCOMPARE(prompter.lastText(), QString("查询文件类型组名重复，请重新添加!"));
        prompter.typeNext(QString("Papers"));
        QVERIFY(page.ModifyGroup());
        QCOMPARE(page.GroupNames(), QStringList({"搜索文件", "Papers", "docs"}));
        QCOMPARE(c.SearchGroups.at(1).GroupID, 2);

        // Deleting the first group takes its memberships, not its types.
        page.SelectGroup(0);
        prompter.answerNext(Prompter::Answer::Cancel);
        QVERIFY(!page.DeleteGroup());
        QCOMPARE(prompter.lastText(), QString("确定删除查询组 '搜索文件' 文件类型吗?"));
        QVERIFY(page.DeleteGroup());
        QCOMPARE(page.GroupNames(), QStringList({"Papers", "docs"}));
        QCOMPARE(page.SelectedGroup(), 0);
        QVERIFY(c.SearchFiles.isEmpty());
        QCOMPARE(c.SearchAllFiles.size(), 3);
        page.SelectGroup(1);
        QVERIFY(page.DeleteGroup());
        QCOMPARE(page.SelectedGroup(), 0); // the last one left

        // Now *.txt belongs to no group and may go.
        page.SelectType(page.TypePatterns().indexOf("*.txt"));
        QVERIFY(page.DeleteType());
        QCOMPARE(page.TypePatterns(), QStringList({"*.ini", "*.xml"}));
    }

    void typeEdits() {
        ResourceConfigData c = firstRun();
        ScriptedPrompter prompter;
        SearchFileTypePage page(c, prompter);
        QCOMPARE(page.TypePatterns(), QStringList({"*.ini", "*.txt", "*.xml"})); // sorted
        QVERIFY(!page.TypeButtonsEnabled());

        prompter.typeNext(QString("txt"));
        QVERIFY(!page.AddType());
        QCOMPARE(prompter.shown.last().caption, QString("错误"));
        QCOMPARE(prompter.lastText(), QString("查询文件类型txt不符合*.*规范,不能添加!"));
        prompter.typeNext(QString("*.txt"));
        QVERIFY(!page.AddType());
        QCOMPARE(prompter.lastText(), QString("文件类型 '*.txt' 已存在,不能添加!"));
        prompter.typeNext(QString("   "));
        QVERIFY(!page.AddType()); // blank input is no input
        prompter.typeNext(QString("*.md"));
        QVERIFY(page.AddType());
        QCOMPARE(page.TypePatterns().last(), QString("*.md"));
        QCOMPARE(page.SelectedType(), 3);
        QCOMPARE(c.SearchAllFiles.last().TypeID, 4);

        // A type is checked where it belongs to the selected group.
        QVERIFY(!page.IsTypeChecked(1));
        page.SelectGroup(0);
        QVERIFY(page.IsTypeChecked(1));
        QVERIFY(!page.IsTypeChecked(3));
        page.SetTypeChecked(3, true);
        QCOMPARE(SearchFileTypes::GroupPatternList(c, 1), QString("*.txt;*.ini;*.xml;*.md"));
        page.SetTypeChecked(1, false);
        QCOMPARE(SearchFileTypes::GroupPatternList(c, 1), QString("*.ini;*.xml;*.md"));
        QVERIFY(page.ConfigChanged());
        QVERIFY(!page.SearchGroupsChanged());

        // Modifying keeps the id, so the memberships follow; no "*." rule.
        page.SelectType(3);
        prompter.typeNext(QString("*.ini"));
        QVERIFY(!page.ModifyType());
        QCOMPARE(prompter.lastText(), QString("文件类型 '*.ini' 已存在,不能修改为该类型!"));
        prompter.typeNext(QString("markdown"));
        QVERIFY(page.ModifyType());
        QCOMPARE(page.TypePatterns().at(3), QString("markdown"));
        QVERIFY(page.IsTypeChecked(3));
        QCOMPARE(SearchFileTypes::GroupPatternList(c, 1), QString("*.ini;*.xml;markdown"));

        page.SelectType(0);
        QVERIFY(!page.DeleteType());
        QCOMPARE(prompter.shown.at(prompter.shown.size() - 2).text,
                 QString("确定删除查询文件 '*.ini' 类型吗?"));
        QCOMPARE(prompter.shown.last().caption, QString("提示"));
        QCOMPARE(prompter.lastText(), QString("该类型正在被使用，不能删除!"));
        page.SelectType(3);
        page.SetTypeChecked(3, false);
        QVERIFY(page.DeleteType());
        QCOMPARE(page.SelectedType(), 2); // the last one left
        QCOMPARE(c.SearchAllFiles.size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestSearchSettings)
#include "tst_searchsettings.moc"
