// The URL groups of the navigation pane: the file they live in, what each
// group lists, and every change with the texts that refuse it. Expected file
// contents are written out by hand from the file's layout.

#include "ScriptedPrompter.h"
#include "SilentPrompter.h"
#include "TestHome.h"
#include "TimeText.h"
#include "config/TextCodec.h"
#include "web/UrlGroups.h"

#include <QThread>
#include <QtTest>

namespace {

const char* const kFile = "ResourceConfig/UserUrlConfig.ini";
const char* const kNow = "2024-01-01 10:00:00";

QByteArray encoded(const char* text) {
    return TextCodec::encode(QString::fromUtf8(text));
}

QStringList idsOf(const QList<UrlRecord>& entries) {
    QStringList ids;
    for (const UrlRecord& e : entries)
        ids.append(e.ID);
    return ids;
}

} // namespace

class TestUrlGroups : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    ScriptedPrompter prompter;
    std::unique_ptr<UrlGroups> urls;

    QString file() const { return home->path(kFile); }
    void writeFile(const QString& text) { home->write(kFile, TextCodec::encode(text)); }
    QByteArray onDisk() const { return home->read(kFile); }
    std::unique_ptr<UrlGroups> restarted() {
        auto again = std::make_unique<UrlGroups>(file(), prompter);
        again->load();
        return again;
    }
    void expectShown(const QString& caption, const QString& text) {
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].caption, caption);
        QCOMPARE(prompter.shown[0].text, text);
        prompter.shown.clear();
    }
    // Adds a group through the name dialog.
    void addGroup(const QString& name) {
        prompter.typeNext(name);
        QVERIFY(urls->addGroup());
    }

private Q_SLOTS:
    void init() {
        TimeText::setClock([] { return QDateTime::fromString(kNow, TimeText::kFormat); });
        home = std::make_unique<TestHome>();
        prompter = ScriptedPrompter();
        urls = std::make_unique<UrlGroups>(file(), prompter);
        urls->load();
    }
    void cleanup() {
        urls.reset();
        TimeText::setClock({});
    }

    void aFirstStartListsNothingAndCountsFromOne() {
        QVERIFY(urls->entriesShown({}).isEmpty());
        QCOMPARE(urls->groupChoices(), QStringList({"全部网址", "未分类网址"}));
        QCOMPARE(urls->highestEntryId(), 0);
        addGroup("  工作 ");
        QCOMPARE(prompter.askedTitles, QStringList({"添加新网址组"}));
        QCOMPARE(urls->addEntry({}, " 新浪 ", " http://www.sina.com.cn/ "),
                 UrlGroups::EditResult::Saved);
        QCOMPARE(onDisk(), encoded("[GROUPURL]\r\n"
                                   "GroupUrl=1|工作|\r\n"
                                   "[USERURL]\r\n"
                                   "UserUrl=1|0|2024-01-01 10:00:00|新浪|"
                                   "http://www.sina.com.cn|\r\n"));
        QCOMPARE(urls->groupChoices(), QStringList({"全部网址", "工作", "未分类网址"}));
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(restarted()->lists(), urls->lists());
    }

    void readingTheFile() {
        writeFile("[GROUPURL]\r\n"
                  "GroupUrl=03|旧组|\r\n"
                  "GroupUrl=4|同名|\r\n"
                  "GroupUrl=5|同名|\r\n"
                  "GroupUrl=0|零|\r\n"
                  "[USERURL]\r\n"
                  "UserUrl=7|3|2024-01-01 10:00:00|Site|address|\r\n"
                  "UserUrl=2|5|2024-01-02 10:00:00|Other|http://b\r\n"
                  "UserUrl=3|03|2024-01-03 10:00:00|Third|http://c|more|\r\n");
        urls->load();
        const QList<UrlRecord> all = urls->entriesShown("全部网址");
        QCOMPARE(all.size(), 3);
        QCOMPARE(all[0], (UrlRecord{"7", "3", "2024-01-01 10:00:00", "Site", "address"}));
        QCOMPARE(all[1].Address, QString("http://b"));
        QCOMPARE(urls->highestEntryId(), 7);
        // "03" is read as the number 3 and formatted again.
        QCOMPARE(idsOf(urls->entriesShown("旧组")), QStringList({"7"}));
        // Lookups by name find the first of two groups of that name.
        QVERIFY(urls->entriesShown("同名").isEmpty());
        QVERIFY(urls->entriesShown("未分类网址").isEmpty());
        QVERIFY(urls->entriesShown("没有这个组").isEmpty());
        QCOMPARE(urls->groupChoices(),
                 QStringList({"全部网址", "旧组", "同名", "同名", "零", "未分类网址"}));
        QVERIFY(!urls->deleteGroup("零"));
        expectShown("错误", "删除无效的网址组!");

        QCOMPARE(urls->addEntry("旧组", "新", "http://d"), UrlGroups::EditResult::Saved);
        const UrlRecord added = urls->lists().entries.last();
        QCOMPARE(added.ID, QString("8"));
        QCOMPARE(added.GroupID, QString("3"));
        QCOMPARE(idsOf(urls->entriesShown("旧组")), QStringList({"7", "8"}));
    }

    void aMissingOrEmptyTitleOrAddressKeepsTheDialogOpen() {
        QCOMPARE(urls->addEntry({}, "  ", "http://a"), UrlGroups::EditResult::Incomplete);
        expectShown("错误", "请填写网址名!");
        QCOMPARE(urls->addEntry({}, "标题", " \t"), UrlGroups::EditResult::Incomplete);
        expectShown("错误", "请填写URL!");
        QCOMPARE(urls->addEntry("不存在的组", "标题", "http://a"),
                 UrlGroups::EditResult::Incomplete);
        expectShown("错误", "无法获取网页地址组!");
        QVERIFY(!QFile::exists(file()));
    }

    void anAddressIsStoredOnceLetterCaseCounts() {
        QCOMPARE(urls->addEntry({}, "甲", "http://a.com/"), UrlGroups::EditResult::Saved);
        const QByteArray before = onDisk();
        QCOMPARE(urls->addEntry("未分类网址", "乙", "http://a.com"),
                 UrlGroups::EditResult::Refused);
        expectShown("提示", "当前网址已经存在,不能再添加!");
        QCOMPARE(onDisk(), before);
        QCOMPARE(urls->addEntry("全部网址", "丙", "HTTP://A.COM"), UrlGroups::EditResult::Saved);
        const QList<UrlRecord> all = urls->entriesShown({});
        QCOMPARE(idsOf(all), QStringList({"1", "2"}));
        // Added while a special group is shown: in no group.
        QCOMPARE(all[1].GroupID, QString("0"));
        QCOMPARE(idsOf(urls->entriesShown("未分类网址")), QStringList({"1", "2"}));
    }

    void barsAndLineBreaksBecomeBlanks() {
        addGroup("a|b");
        QCOMPARE(urls->addEntry("a b", "x|y\r\nz", "http://q|r"), UrlGroups::EditResult::Saved);
        QCOMPARE(onDisk(), encoded("[GROUPURL]\r\n"
                                   "GroupUrl=1|a b|\r\n"
                                   "[USERURL]\r\n"
                                   "UserUrl=1|1|2024-01-01 10:00:00|x y  z|http://q r|\r\n"));
    }

    void modifying() {
        QCOMPARE(urls->addEntry({}, "甲", "http://a"), UrlGroups::EditResult::Saved);
        QCOMPARE(urls->addEntry({}, "乙", "http://b"), UrlGroups::EditResult::Saved);
        QCOMPARE(urls->modifyEntry("1", "甲二", "http://a/"), UrlGroups::EditResult::Saved);
        QCOMPARE(urls->lists().entries[0],
                 (UrlRecord{"1", "0", "2024-01-01 10:00:00", "甲二", "http://a"}));
        QCOMPARE(urls->modifyEntry("1", "甲二", "http://b"), UrlGroups::EditResult::Refused);
        expectShown("提示", "您输入的网址已经存在,不能修改!");
        QCOMPARE(urls->modifyEntry({}, "甲", "http://c"), UrlGroups::EditResult::Incomplete);
        expectShown("修改错误", "无效的URL!");
        QCOMPARE(urls->modifyEntry("2", "", "http://c"), UrlGroups::EditResult::Incomplete);
        expectShown("错误", "请填写网址名!");
        QCOMPARE(restarted()->lists().entries[0].Title, QString("甲二"));
        QCOMPARE(restarted()->lists().entries[1].Address, QString("http://b"));
    }

    void deletingAnEntryDropsThePendingCut() {
        QCOMPARE(urls->addEntry({}, "甲", "http://a"), UrlGroups::EditResult::Saved);
        QCOMPARE(urls->addEntry({}, "乙", "http://b"), UrlGroups::EditResult::Saved);
        urls->cut(urls->lists().entries[1]);
        QVERIFY(urls->deleteEntry("1"));
        QVERIFY(!urls->cutEntry());
        QCOMPARE(idsOf(restarted()->entriesShown({})), QStringList({"2"}));
        // The id of a deleted entry is not given again in the same run.
        QCOMPARE(urls->addEntry({}, "丙", "http://c"), UrlGroups::EditResult::Saved);
        QCOMPARE(idsOf(urls->entriesShown({})), QStringList({"2", "3"}));
    }

    void cutAndPaste() {
        addGroup("工作");
        addGroup("娱乐");
        QCOMPARE(urls->addEntry("工作", "甲", "http://a"), UrlGroups::EditResult::Saved);
        QVERIFY(!urls->paste("娱乐"));
        expectShown("提示", "请首先选择剪切的网址!");

        urls->cut(urls->lists().entries[0]);
        QVERIFY(!urls->paste("工作"));
        expectShown("提示", "请选择其他网址群进行粘贴!");
        QVERIFY(urls->cutEntry());
        QVERIFY(urls->paste("娱乐"));
        QVERIFY(!urls->cutEntry());
        QCOMPARE(idsOf(urls->entriesShown("娱乐")), QStringList({"1"}));
        QVERIFY(urls->entriesShown("工作").isEmpty());

        // Pasting while every entry is shown files it under no group.
        urls->cut(urls->lists().entries[0]);
        QVERIFY(urls->paste("全部网址"));
        QCOMPARE(restarted()->lists().entries[0].GroupID, QString("0"));
        urls->cut(urls->lists().entries[0]);
        QVERIFY(!urls->paste({}));
        expectShown("提示", "请选择其他网址群进行粘贴!");
        QVERIFY(!urls->paste("不存在的组"));
        expectShown("错误", "网站群数据错误!");
    }

    // A group named like a special one or another group could never be
    // chosen again; a new and a renamed group are refused the same names.
    void refusedGroupNames() {
        addGroup("工作");
        addGroup("娱乐");
        const QByteArray before = onDisk();
        for (const bool rename : {false, true}) {
            const auto refused = [this, rename](const std::optional<QString>& typed) {
                prompter.typeNext(typed);
                return rename ? !urls->renameGroup("工作") : !urls->addGroup();
            };
            QVERIFY(refused(std::nullopt));
            QCOMPARE(prompter.askedTitles.last(),
                     QString(rename ? "请输入新的网址组名" : "添加新网址组"));
            QVERIFY(refused(" "));
            expectShown("提示", rename ? "网址组名不能为空!" : "网址名不能为空!");
            for (const char* special : {"全部网址", "未分类网址"}) {
                QVERIFY(refused(QString(special)));
                expectShown("提示", "请输入其它网址组名!");
            }
            QVERIFY(refused(" 娱乐"));
            expectShown("错误", "该网址组名已经存在,不能添加!");
            // Renamed to its own name: nothing to do, nothing said.
            QVERIFY(!rename || refused("工作"));
        }
        QVERIFY(prompter.shown.isEmpty());
        QCOMPARE(onDisk(), before);
    }

    void deletingAGroupDeletesItsEntries() {
        addGroup("工作");
        addGroup("娱乐");
        QCOMPARE(urls->addEntry("工作", "甲", "http://a"), UrlGroups::EditResult::Saved);
        QCOMPARE(urls->addEntry("娱乐", "乙", "http://b"), UrlGroups::EditResult::Saved);
        QCOMPARE(urls->addEntry({}, "丙", "http://c"), UrlGroups::EditResult::Saved);

        for (const QString special : {"", "全部网址", "未分类网址"}) {
            QVERIFY(!urls->deleteGroup(special));
            expectShown("错误", "该网址组不允许被删除!");
        }
        QVERIFY(!urls->deleteGroup("不存在的组"));
        expectShown("错误", "删除无效的网址组!");

        prompter.answerNext(Prompter::Answer::No);
        QVERIFY(!urls->deleteGroup("工作"));
        expectShown("警告", "点击确定后，当前网址组下的所有网址将被删除，确定吗?");
        QCOMPARE(urls->lists().groups.size(), 2);

        QVERIFY(urls->deleteGroup("工作"));
        expectShown("警告", "点击确定后，当前网址组下的所有网址将被删除，确定吗?");
        QCOMPARE(onDisk(), encoded("[GROUPURL]\r\n"
                                   "GroupUrl=2|娱乐|\r\n"
                                   "[USERURL]\r\n"
                                   "UserUrl=2|2|2024-01-01 10:00:00|乙|http://b|\r\n"
                                   "UserUrl=3|0|2024-01-01 10:00:00|丙|http://c|\r\n"));
    }

    // A new group is numbered past the highest number, not the last one.
    void addingAndRenamingGroups() {
        writeFile("[GROUPURL]\r\nGroupUrl=5|工作|\r\nGroupUrl=2|娱乐|\r\n[USERURL]\r\n");
        urls->load();
        addGroup("新");
        QCOMPARE(urls->lists().groups.last(), (UrlGroup{"6", "新"}));
        prompter.typeNext(" 学习 ");
        QCOMPARE(urls->renameGroup("工作"), std::optional<QString>("学习"));
        QCOMPARE(restarted()->groupChoices(),
                 QStringList({"全部网址", "学习", "娱乐", "新", "未分类网址"}));
    }

    void aFileThatCannotBeWrittenIsReported() {
        home->write("ResourceConfig", "a file where the folder goes");
        QCOMPARE(urls->addEntry({}, "甲", "http://a"), UrlGroups::EditResult::Incomplete);
        expectShown("错误", "无法写入文件 '" + file() + "'，所做的更改没有保存!");
        QVERIFY(urls->entriesShown({}).isEmpty());
    }

    // Two windows (or a window and keepsake-cli) each hold the lists as they
    // read them; neither change may undo the other's.
    void twoWritersKeepEachOthersChanges() {
        UrlGroups other(file(), prompter);
        other.load();
        QCOMPARE(urls->addEntry({}, "甲", "http://a"), UrlGroups::EditResult::Saved);
        QCOMPARE(other.addEntry({}, "乙", "http://b"), UrlGroups::EditResult::Saved);
        QCOMPARE(other.lists().entries.last().ID, QString("2"));
        addGroup("工作");
        prompter.typeNext("娱乐");
        QVERIFY(other.addGroup());
        QCOMPARE(other.lists().groups.last(), (UrlGroup{"2", "娱乐"}));
        // The other writer's copy does not hold "http://a" yet; the file does.
        QCOMPARE(other.addEntry({}, "重复", "http://a"), UrlGroups::EditResult::Refused);
        expectShown("提示", "当前网址已经存在,不能再添加!");
        QVERIFY(urls->deleteEntry("2"));
        QCOMPARE(urls->addEntry({}, "丙", "http://c"), UrlGroups::EditResult::Saved);

        const UrlLists final = restarted()->lists();
        QCOMPARE(final.groups, QList<UrlGroup>({{"1", "工作"}, {"2", "娱乐"}}));
        QCOMPARE(idsOf(final.entries), QStringList({"1", "3"}));
    }

    // Writers racing on the file: every entry each reported saved is there
    // afterwards, under an id no other entry has.
    void racingWritersLoseNothing() {
        constexpr int kPerWriter = 25;
        auto writer = [this](const QString& name) {
            return QThread::create([this, name] {
                SilentPrompter silent;
                UrlGroups own(file(), silent);
                own.load();
                for (int i = 0; i < kPerWriter; ++i)
                    QCOMPARE(own.addEntry({}, name, QString("http://%1/%2").arg(name).arg(i)),
                             UrlGroups::EditResult::Saved);
            });
        };
        std::unique_ptr<QThread> a(writer("a")), b(writer("b"));
        a->start();
        b->start();
        QVERIFY(a->wait(60000));
        QVERIFY(b->wait(60000));
        const QList<UrlRecord> all = restarted()->entriesShown({});
        QCOMPARE(all.size(), 2 * kPerWriter);
        QStringList ids = idsOf(all);
        ids.removeDuplicates();
        QCOMPARE(ids.size(), 2 * kPerWriter);
    }
};

QTEST_GUILESS_MAIN(TestUrlGroups)
#include "tst_urlgroups.moc"
