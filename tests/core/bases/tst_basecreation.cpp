#include "BasesTestSupport.h"
#include "FullDisk.h"
#include "config/ResourceConfig.h"
#include "config/TextCodec.h"

class TestBaseCreation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void idsFollowTheHighest() {
        ResourceConfigData config;
        QCOMPARE(NewResourceID(config), 1);
        for (int id : {1, 5, 2})
            config.LocalResources.append({id, "b", QString("/b%1.ini").arg(id), "/b", "", ""});
        QCOMPARE(NewResourceID(config), 6);
    }

    void blankBaseIsWrittenAndRegistered() {
        BasesHome h;
        // The trailing "/" goes; characters that would break the files
        // become blanks.
        const std::optional<int> id =
            KnowledgeBaseCreator(h.workspace).CreateBlankBase(" 新/库|甲 ", h.home.path("kb/"));
        QCOMPARE(id, std::optional<int>(1));
        const QString folder = h.home.path("kb");
        QCOMPARE(h.home.read("kb/新 库 甲.ini"),
                 TextCodec::encode(
                     "[LOCRESOURCESET]\r\nResourceName=新 库 甲|\r\nResourceFilePath=" + folder +
                     "|\r\nCreateTime=2009-03-07 14:05:09|\r\n"));
        QCOMPARE(h.workspace.baseSelector().entries(), QStringList{"新 库 甲 [1]"});
        QVERIFY(h.workspace.changeFlags().BasesChanged);
        QVERIFY(!h.workspace.currentBase().IsOpen()); // created, not opened

        // What was registered is what the next start reads and opens.
        Workspace next(h.home.paths(), h.prompter);
        QVERIFY(next.loadConfiguration([] { return false; }));
        QCOMPARE(next.config().LocalResources.value(0).IniPath, folder + "/新 库 甲.ini");
        QVERIFY(next.OpenBase(1));
        QVERIFY(h.prompter.shown.isEmpty());

        QVERIFY(!KnowledgeBaseCreator(h.workspace).CreateBlankBase(" ./ ", "/x"));
        QCOMPARE(h.prompter.lastText(), QStringLiteral("请输入知识库名称!"));
    }

    void anExistingBaseIsNeverTouched() {
        BasesHome h;
        h.home.write("old/Keepsake.mdb", "someone's base");
        h.home.write("old/旧.ini", "[LOCRESOURCESET]\r\n");
        const QStringList before = h.listing("old");
        KnowledgeBaseCreator creator(h.workspace);
        QVERIFY(!creator.CreateBlankBase("旧", h.home.path("old")));
        QCOMPARE(h.prompter.lastText(),
                 QString("'%1' 中已经有知识库文件 Keepsake.mdb,请另选一个文件夹!")
                     .arg(h.home.path("old")));
        QCOMPARE(h.listing("old"), before);
        QVERIFY(!QFileInfo::exists(h.home.path("ResourceConfig")));

        // A registered ini path whose database went missing is refused
        // before anything is copied.
        h.createBase("新", "new");
        QFile::remove(h.home.path("new/Keepsake.mdb"));
        QVERIFY(!creator.CreateBlankBase("新", h.home.path("new")));
        QCOMPARE(h.prompter.lastText(), QStringLiteral("新建的知识库已经存在!"));
        QCOMPARE(h.listing("new"),
                 QStringList{"新.ini" + QString::number(h.home.read("new/新.ini").size())});
    }

    void aFailedCreationTakesBackOnlyItsOwn() {
        BasesHome h;
        KnowledgeBaseCreator creator(h.workspace);
        // The ini file cannot be written: the copied database goes, what the
        // folder held stays.
        h.home.write("kb/mine.txt", "keep me");
        QDir().mkpath(h.home.path("kb/库.ini"));
        QVERIFY(!creator.CreateBlankBase("库", h.home.path("kb")));
        QCOMPARE(h.prompter.lastText(),
                 QString("创建 '%1' 文件失败,请手动进行创建!").arg(h.home.path("kb/库.ini")));
        QCOMPARE(h.listing("kb"), QStringList({"mine.txt7", "库.ini/"}));

        // No template: the folders made for the base go too.
        TestHome bare;
        Workspace noTemplate(ProgramPaths(h.home.path(), bare.path()), h.prompter);
        QVERIFY(!KnowledgeBaseCreator(noTemplate).CreateBlankBase("库", h.home.path("a/b")));
        QCOMPARE(h.prompter.lastText(),
                 QStringLiteral("由于系统文件拷贝出现问题，创建知识库文件失败!"));
        QVERIFY(!QFileInfo::exists(h.home.path("a")));

        // The configuration cannot be saved: nothing is registered, and an
        // ini file that was there gets its old content back.
        h.home.write("kb2/库.ini", "old content");
        h.home.write("kb2/库.QCK", "[K_RESOURCE_DATA]\r\nDATA=0|根|\r\n");
        h.home.write("ResourceConfig", "a file where the folder belongs");
        const QStringList before = h.listing("kb2");
        QVERIFY(!creator.CreateBaseFromFile(h.home.path("kb2/库.QCK"), "库", h.home.path("kb2")));
        QVERIFY(h.prompter.lastText().startsWith("创建 '" + h.home.paths().configFolder()));
        QCOMPARE(h.listing("kb2"), before);
        QCOMPARE(h.home.read("kb2/库.ini"), QByteArray("old content"));
        QVERIFY(h.workspace.config().LocalResources.isEmpty());
        QVERIFY(h.workspace.baseSelector().entries().isEmpty());

        // A mistyped tree file stops the creation before anything is written.
        QVERIFY(!creator.CreateBaseFromFile(h.home.path("no.QCK"), "库", h.home.path("c")));
        QCOMPARE(h.prompter.lastText(),
                 QString("无法读取知识库文件 '%1'!").arg(h.home.path("no.QCK")));
        QVERIFY(!QFileInfo::exists(h.home.path("c")));
    }

    void anIniFileThatCannotBePutBackIsSaid() {
        BasesHome h;
        // Files may grow to the database's size and a little more: the copy
        // and the new ini file fit, the old ini file's content does not.
        const qint64 limit = QFileInfo(h.home.paths().templateDatabase()).size() + 4096;
        const QByteArray old(2 * limit, ';');
        h.home.write("kb/库.ini", old);
        h.home.write("ResourceConfig", "a file where the folder belongs");
        const std::optional<int> id = withFullDisk(limit, [&] {
            return KnowledgeBaseCreator(h.workspace).CreateBlankBase("库", h.home.path("kb"));
        });
        QVERIFY(!id);

        const QString ini = h.home.path("kb/库.ini");
        QCOMPARE(h.prompter.shown.size(), 2);
        QVERIFY(h.prompter.shown[0].text.startsWith("创建 '" + h.home.paths().configFolder()));
        QVERIFY2(h.prompter.shown[1].text.startsWith("无法恢复文件 '" + ini + "' 原来的内容!\n"),
                 qPrintable(h.prompter.shown[1].text));
        QCOMPARE(h.prompter.shown[1].caption, QStringLiteral("错误"));
        // Whole in its new content, the only other thing the file may hold,
        // and nothing left beside it.
        const QByteArray created = TextCodec::encode(
            "[LOCRESOURCESET]\r\nResourceName=库|\r\nResourceFilePath=" + h.home.path("kb") +
            "|\r\nCreateTime=2009-03-07 14:05:09|\r\n");
        QCOMPARE(h.home.read("kb/库.ini"), created);
        QCOMPARE(h.listing("kb"), QStringList{"库.ini" + QString::number(created.size())});
    }
};

QTEST_GUILESS_MAIN(TestBaseCreation)
#include "tst_basecreation.moc"
